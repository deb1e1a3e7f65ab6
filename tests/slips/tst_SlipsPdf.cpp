#include "SlipPainter.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

// The window's 「PDFに保存...」 writes through here; keymill-cli's --slips is checked end to end.
class SlipsPdfTest : public QObject {
    Q_OBJECT
private slots:
    void savesWholeAndPrivate();
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

QTEST_MAIN(SlipsPdfTest)
#include "tst_SlipsPdf.moc"
