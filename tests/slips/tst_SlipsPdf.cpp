#include "SlipPainter.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

// Slips saved as a PDF file, and the kind marks under a password; keymill-cli's --slips is
// checked end to end.
class SlipsPdfTest : public QObject {
    Q_OBJECT
private slots:
    void savesWholeAndPrivate();
    void kindMarks_data();
    void kindMarks();
};

void SlipsPdfTest::savesWholeAndPrivate() {
    QTemporaryDir dir;
    const auto entries = SlipEntries({"tanaka", "", "佐藤"}, {"Il1|O0o", "a", "b"});
    QCOMPARE(entries[1].account, QStringLiteral("No. 2"));
    QVERIFY(entries[1].numbered && !entries[2].numbered);
    const QString path = dir.filePath("slips.pdf");
    QVERIFY(WriteSlipsPdf(path, SlipSettings(), entries).ok());
    QVERIFY(QFileInfo(path).size() > 1000);
    QCOMPARE(QFileInfo(path).permissions() & 0x0077, QFile::Permissions());
    QCOMPARE(WriteSlipsPdf(dir.filePath("none/slips.pdf"), SlipSettings(), entries).number, ENOENT);
}

void SlipsPdfTest::kindMarks_data() {
    QTest::addColumn<QString>("characters");
    QTest::addColumn<QString>("mark");
    QTest::newRow("upper case") << "AZÀΩ"
                                << "大";
    QTest::newRow("lower case") << "azlß"
                                << "小";
    QTest::newRow("digits") << "019０"
                            << "数";
    QTest::newRow("symbols") << "!|\\¥`'~"
                             << "記";
    QTest::newRow("other") << "あ漢 "
                           << "他";
}

void SlipsPdfTest::kindMarks() {
    QFETCH(QString, characters);
    for (const char32_t c : characters.toUcs4())
        QTEST(CharacterKindMark(c), "mark");
}

QTEST_MAIN(SlipsPdfTest)
#include "tst_SlipsPdf.moc"
