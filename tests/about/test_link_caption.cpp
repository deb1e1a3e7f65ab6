#include "LinkCaption.h"

#include <QKeySequence>
#include <QTest>

class TestLinkCaption : public QObject {
    Q_OBJECT
private slots:
    void captionShowsTheTarget_data();
    void captionShowsTheTarget();
};

void TestLinkCaption::captionShowsTheTarget_data() {
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("caption");
    QTest::newRow("plain address") << "support@keymill.example.org"
                                   << "support@keymill.example.org";
    QTest::newRow("query with ampersand") << "https://example.org/?a=1&b=2"
                                          << "https://example.org/?a=1&&b=2";
    QTest::newRow("ampersand before a letter") << "a&b&&c"
                                               << "a&&b&&&&c";
    QTest::newRow("trailing ampersand") << "x&"
                                        << "x&&";
}

void TestLinkCaption::captionShowsTheTarget() {
    QFETCH(QString, target);
    QFETCH(QString, caption);
    QCOMPARE(LinkCaption(target), caption);
    QCOMPARE(LinkTarget(caption), target);
    // No character of the target may turn into an access key.
    QVERIFY(QKeySequence::mnemonic(caption).isEmpty());
}

QTEST_MAIN(TestLinkCaption)
#include "test_link_caption.moc"
