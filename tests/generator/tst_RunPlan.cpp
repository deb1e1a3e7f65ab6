#include "PasswordLimits.h"
#include "RunPlan.h"
#include "RunRefusalCases.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(RunRequest)
Q_DECLARE_METATYPE(RunRefusal)

class RunPlanTest : public QObject {
    Q_OBJECT

private slots:
    void refusals_data();
    void refusals();
    void plans_data();
    void plans();
    void numberBoxesHoldTheBound();
    void uniqueListsEveryPasswordOnce();
};

void RunPlanTest::refusals_data() {
    QTest::addColumn<RunRequest>("request");
    QTest::addColumn<RunRefusal>("refusal");
    for (const RunRefusalCase& c : RunRefusalCases())
        QTest::newRow(c.name) << c.request << c.refusal;
}

void RunPlanTest::refusals() {
    QFETCH(RunRequest, request);
    QFETCH(RunRefusal, refusal);
    const RunPlanOutcome outcome = PlanRun(request);
    const auto* refused = std::get_if<RunRefusal>(&outcome);
    QVERIFY(refused);
    QCOMPARE(int(refused->rule), int(refusal.rule));
    QCOMPARE(refused->value, refusal.value);
}

void RunPlanTest::plans_data() {
    QTest::addColumn<RunRequest>("request");
    QTest::addColumn<QString>("pool");
    QTest::addColumn<int>("classes"); // the each-class rule's classes
    QTest::addColumn<QString>("bits");

    const QString all = kDigitCharacters + kUpperCaseCharacters + kLowerCaseCharacters;
    QTest::newRow("62 defaults, 16") << RefusalRequest("duw", 16, false) << all << 0 << "95.3";
    QTest::newRow("the longest length")
        << RefusalRequest("d", kMaxPasswordLength, false) << kDigitCharacters << 0 << "332189.5";
    QTest::newRow("each class, as many characters as classes")
        << RefusalRequest("duw", 3, true) << all << 7 << "15.3";
    // Look-alikes go after the extra and excluded characters, whichever brought them.
    QTest::newRow("no look-alikes after the extra text")
        << RefusalRequest("d", 4, false, "|xO", "x", true) << "23456789" << 0 << "12.0";
    QTest::newRow("no look-alikes: the new ones too")
        << RefusalRequest("", 1, false, u"〇ОоІіΟοΙⅠⅼǀ¦Ø"_qs, QString(), true) << "Ø" << 0 << "0.0";
    // What a Japanese reader confuses, and every compatibility form of a removed character.
    QTest::newRow("no look-alikes: kana, kanji, bars and compatibility forms")
        << RefusalRequest("", 1, false, u"ロ口カ力エ工ニ二ハ八ヘへー一○◯Ӏӏ∣│￨︱⏐丨𝟎𝟏𝐎𝐥𝐈¹₁①⓪ｶｰあ"_qs,
                          QString(), true)
        << u"あ"_qs << 0 << "0.0";
    QTest::newRow("each class met by an extra digit")
        << RefusalRequest("d", 2, true, "7", "012345689") << "77" << 9 << "0.0";
}

void RunPlanTest::plans() {
    QFETCH(RunRequest, request);
    QFETCH(QString, pool);
    QFETCH(int, classes);
    QFETCH(QString, bits);
    const RunPlanOutcome outcome = PlanRun(request);
    const auto* plan = std::get_if<RunPlan>(&outcome);
    if (const auto* refused = std::get_if<RunRefusal>(&outcome))
        QFAIL(qPrintable(QString("refused by rule %1").arg(int(refused->rule))));
    QCOMPARE(plan->pool.toString(), pool);
    QCOMPARE(int(plan->rule.requiredClasses()), classes);
    QCOMPARE(plan->length, qint32(request.length));
    QCOMPARE(EntropyFigure(plan->entropyBits), bits);
}

// The boxes take every length up to the bound and nothing beyond it.
void RunPlanTest::numberBoxesHoldTheBound() {
    QCOMPARE(QString::number(kMaxPasswordLength).size(), kNumberBoxDigits);
    QCOMPARE(DecimalDigits(9), 1);
    QCOMPARE(DecimalDigits(10), 2);
    QCOMPARE(DecimalDigits(99999), 5);
    QCOMPARE(DecimalDigits(100000), 6);
}

// All 100 codes of two digits, each once, by rank; the duplicate chance of a list without -U.
void RunPlanTest::uniqueListsEveryPasswordOnce() {
    RunRequest request = RefusalRequest("d", 2, false, QString(), QString(), false, 100);
    request.unique = true;
    const RunPlanOutcome outcome = PlanRun(request);
    const RunPlan& plan = std::get<RunPlan>(outcome);
    RunDraw draw(plan);
    QSet<QString> seen;
    for (int i = 0; i < 100; ++i)
        seen.insert(draw.next(ProcessRandomSource(), [] { return false; }));
    QCOMPARE(seen.size(), 100);
    // Drawn again on a repeat: "a" has two entries of four, so the list xyz of the three comes
    // with chance w(x) / 4 * w(y) / (4 - w(x)) (chi-square, 0.1 % point of 5 degrees).
    RunRequest weighted = RefusalRequest("", 1, false, "aabc", QString(), false, 3);
    weighted.unique = true;
    const RunPlan weightedPlan = std::get<RunPlan>(PlanRun(weighted));
    RandomSource source(ChaChaKey{3});
    QHash<QString, int> lists;
    for (int i = 0; i < 6000; ++i) {
        RunDraw three(weightedPlan);
        QString list;
        for (int j = 0; j < 3; ++j)
            list += three.next(source, [] { return false; });
        ++lists[list];
    }
    const QHash<QString, double> expected{{"abc", 1 / 4.},  {"acb", 1 / 4.}, {"bac", 1 / 6.},
                                          {"bca", 1 / 12.}, {"cab", 1 / 6.}, {"cba", 1 / 12.}};
    double chiSquare = 0;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        chiSquare += std::pow(lists.value(it.key()) - 6000 * *it, 2) / (6000 * *it);
    QCOMPARE(lists.size(), expected.size());
    QVERIFY2(chiSquare < 20.5, qPrintable(QString::number(chiSquare)));
    const double chance = DuplicateChance(std::get<RunPlan>(
        PlanRun(RefusalRequest("d", 6, false, QString(), QString(), false, 1000))));
    QCOMPARE(qRound(chance * 100), 39);
}

QTEST_APPLESS_MAIN(RunPlanTest)
#include "tst_RunPlan.moc"
