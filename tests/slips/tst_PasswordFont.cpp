#include "PasswordFont.h"

#include <QFontInfo>
#include <QTest>

class PasswordFontTest : public QObject {
    Q_OBJECT
private slots:
    void choosesFirstUsable_data();
    void choosesFirstUsable();
    void tellsLookAlikesApart_data();
    void tellsLookAlikesApart();
    void passwordFontIsTheChosenFace();
};

void PasswordFontTest::choosesFirstUsable_data() {
    QTest::addColumn<QStringList>("usable");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("all") << PasswordFontCandidates() << "BIZ UDGothic";
    QTest::newRow("without BIZ UDGothic") << QStringList{"MigMix 1M", "VL Gothic"} << "VL Gothic";
    QTest::newRow("only the last") << QStringList{"DejaVu Sans Mono"} << "DejaVu Sans Mono";
    QTest::newRow("none") << QStringList{} << "";
}

void PasswordFontTest::choosesFirstUsable() {
    QFETCH(QStringList, usable);
    const QString chosen = ChoosePasswordFamily(
        PasswordFontCandidates(), [&](const QString& family) { return usable.contains(family); });
    QTEST(chosen, "chosen");
}

// The window's faces are the reason for a face of its own: IPA P Gothic is proportional and
// IPA Gothic draws the backslash as a yen sign.
void PasswordFontTest::tellsLookAlikesApart_data() {
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("apart");
    QTest::newRow("BIZ UDGothic") << "BIZ UDGothic" << true;
    QTest::newRow("DejaVu Sans Mono") << "DejaVu Sans Mono" << true;
    QTest::newRow("IPAGothic") << "IPAGothic" << false;
    QTest::newRow("IPAPGothic") << "IPAPGothic" << false;
    QTest::newRow("not installed") << "No Such Face" << false;
}

void PasswordFontTest::tellsLookAlikesApart() {
    QFETCH(QString, family);
    QTEST(DrawsLookAlikesApart(family), "apart");
}

void PasswordFontTest::passwordFontIsTheChosenFace() {
    const QFont font = PasswordFont(11);
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("BIZ UDGothic"));
    QCOMPARE(font.pointSizeF(), 11.0);
}

QTEST_MAIN(PasswordFontTest)
#include "tst_PasswordFont.moc"
