#include "AboutConfig.h"
#include "VersionText.h"

#include <QTest>

class TestVersionText : public QObject {
    Q_OBJECT
private slots:
    void formatsVersion_data();
    void formatsVersion();
    void programVersionComesFromTheBuild();
};

void TestVersionText::formatsVersion_data() {
    QTest::addColumn<int>("major");
    QTest::addColumn<int>("minor");
    QTest::addColumn<int>("revision");
    QTest::addColumn<QString>("text");
    QTest::newRow("this release") << 0 << 50 << 1 << "0.50.1";
    QTest::newRow("minor below ten gets a leading zero") << 1 << 5 << 12 << "1.05.12";
    QTest::newRow("no padding beyond two digits") << 10 << 123 << 0 << "10.123.0";
    QTest::newRow("all zero") << 0 << 0 << 0 << "0.00.0";
    QTest::newRow("revision has no leading zeros") << 2 << 10 << 7 << "2.10.7";
}

void TestVersionText::formatsVersion() {
    QFETCH(int, major);
    QFETCH(int, minor);
    QFETCH(int, revision);
    QFETCH(QString, text);
    QCOMPARE(VersionText(major, minor, revision), text);
    QCOMPARE(VersionLine(major, minor, revision), QStringLiteral("キーミル Version ") + text);
}

void TestVersionText::programVersionComesFromTheBuild() {
    // The project's version is 0.50.1; the line must follow the build, not a copy of it.
    QCOMPARE(about_config::kVersionMajor, 0);
    QCOMPARE(about_config::kVersionMinor, 50);
    QCOMPARE(about_config::kVersionRevision, 1);
    QCOMPARE(ProgramVersionLine(), QStringLiteral("キーミル Version 0.50.1"));
}

QTEST_APPLESS_MAIN(TestVersionText)
#include "test_version_text.moc"
