#include "RunAnnouncer.h"

#include <QTest>
#include <QWidget>

class RunAnnouncerTest : public QObject {
    Q_OBJECT
private slots:
    void progressPacing_data();
    void progressPacing();
    void strengthSaidOnceAfterSettling();
};

// Each row: the steps before, then the step checked and what it says ("" for nothing).
void RunAnnouncerTest::progressPacing_data() {
    QTest::addColumn<QList<qint64>>("before"); // done, total, ms triples
    QTest::addColumn<QList<qint64>>("step");
    QTest::addColumn<QString>("said");
    QTest::newRow("a tenth, after the quiet time")
        << QList<qint64>{} << QList<qint64>{100, 1000, 3000} << "10 % 生成 (100 / 1,000 件)";
    QTest::newRow("a tenth, too soon") << QList<qint64>{} << QList<qint64>{100, 1000, 2999} << "";
    QTest::newRow("within the tenth already said")
        << QList<qint64>{100, 1000, 3000} << QList<qint64>{199, 1000, 9000} << "";
    QTest::newRow("the next tenth, soon after the last")
        << QList<qint64>{100, 1000, 3000} << QList<qint64>{500, 1000, 5000} << "";
    QTest::newRow("the next tenths, quiet enough")
        << QList<qint64>{100, 1000, 3000} << QList<qint64>{520, 1000, 6000}
        << "50 % 生成 (520 / 1,000 件)";
    QTest::newRow("the end is said in other words")
        << QList<qint64>{} << QList<qint64>{1000, 1000, 60000} << "";
}

void RunAnnouncerTest::progressPacing() {
    QFETCH(QList<qint64>, before);
    QFETCH(QList<qint64>, step);
    QFETCH(QString, said);
    ProgressPacing pacing;
    for (qsizetype i = 0; i + 2 < before.size(); i += 3)
        QVERIFY(pacing.next(before[i], before[i + 1], before[i + 2]).has_value());
    QCOMPARE(pacing.next(step[0], step[1], step[2]).value_or(QString()), said);
}

void RunAnnouncerTest::strengthSaidOnceAfterSettling() {
    QWidget window;
    RunAnnouncer announcer(&window);
    announcer.strengthChanged(QStringLiteral("強度 47.6 ビット")); // start-up: not said
    announcer.strengthChanged(QStringLiteral("強度 50.0 ビット")); // keystrokes in a row
    announcer.strengthChanged(QStringLiteral("強度 59.5 ビット"));
    QVERIFY(announcer.lastMessage().isEmpty());
    QTRY_COMPARE(announcer.lastMessage(), QStringLiteral("強度 59.5 ビット"));
    announcer.announceFinished(20);
    QTRY_COMPARE(announcer.lastMessage(), QStringLiteral("20 件のパスワードを生成しました"));
    announcer.strengthChanged(QStringLiteral("強度 59.5 ビット")); // the figure already said
    QTest::qWait(1000);
    QCOMPARE(announcer.lastMessage(), QStringLiteral("20 件のパスワードを生成しました"));
}

QTEST_MAIN(RunAnnouncerTest)
#include "tst_RunAnnouncer.moc"
