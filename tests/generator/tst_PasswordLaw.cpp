#include "PasswordLaw.h"
#include "PasswordRules.h"
#include "RandomSource.h"

#include <QTest>
#include <cmath>
#include <map>

namespace {

// A law over the pool of text, each set a text of members with its minimum.
struct LawCase {
    QString pool;
    qint32 length;
    QStringList sets;
    QList<qint32> minimums;
    qint32 maxRun = 0;
    bool letterFirst = false;
};

PasswordLaw MakeLaw(const LawCase& c) {
    CharacterPool pool;
    pool.append(c.pool);
    const auto setsOf = [&](QStringView entry) {
        quint32 bits = 0;
        for (qsizetype j = 0; j < c.sets.size(); ++j)
            bits |= quint32(c.sets[j].contains(entry)) << j;
        return bits;
    };
    const auto mayStart = [](QStringView entry) { return MayStart(FirstCharacter::Letter, entry); };
    return PasswordLaw(
        pool, setsOf, mayStart,
        {std::vector<qint32>(c.minimums.begin(), c.minimums.end()), c.maxRun, c.letterFirst},
        c.length);
}

// Every entry sequence, counted out: the valid passwords with their number of sequences.
std::map<QString, qint64> Enumerate(const LawCase& c) {
    std::map<QString, qint64> valid;
    const qsizetype n = c.pool.size();
    std::vector<qsizetype> index(size_t(c.length), 0);
    for (;;) {
        QString password;
        for (qsizetype i : index)
            password += c.pool[i];
        bool meets = !c.letterFirst || MayStart(FirstCharacter::Letter, password.left(1));
        for (qsizetype j = 0; j < c.sets.size(); ++j)
            meets = meets && std::count_if(password.cbegin(), password.cend(), [&](QChar ch) {
                                 return c.sets[j].contains(ch);
                             }) >= c.minimums[j];
        for (qsizetype i = c.maxRun; meets && c.maxRun && i < password.size(); ++i)
            meets = password.mid(i - c.maxRun, c.maxRun + 1) != QString(c.maxRun + 1, password[i]);
        if (meets)
            ++valid[password];
        size_t digit = 0;
        while (digit < index.size() && ++index[digit] == n)
            index[digit++] = 0;
        if (digit == index.size())
            return valid;
    }
}

} // namespace

Q_DECLARE_METATYPE(LawCase)

class PasswordLawTest : public QObject {
    Q_OBJECT

private slots:
    void countsAndRanksMatchEnumeration_data();
    void countsAndRanksMatchEnumeration();
    void drawsAreUniform_data();
    void drawsAreUniform();
    void longestLengthIsExact();
};

void PasswordLawTest::countsAndRanksMatchEnumeration_data() {
    QTest::addColumn<LawCase>("law");
    QTest::newRow("minimums, a character in two sets")
        << LawCase{"01aB7", 5, {"017", "aB", "7"}, {2, 1, 1}};
    QTest::newRow("longest run 1") << LawCase{"abc", 6, {}, {}, 1};
    QTest::newRow("longest run 2 with minimums") << LawCase{"ab1", 6, {"1"}, {2}, 2};
    QTest::newRow("repeated entries, run and first") << LawCase{"aab1", 5, {"1"}, {1}, 2, true};
    QTest::newRow("nothing valid") << LawCase{"a1", 3, {"1"}, {2}, 1, true};
}

// Counts, entropy and ranks against every sequence counted out one by one.
void PasswordLawTest::countsAndRanksMatchEnumeration() {
    QFETCH(LawCase, law);
    const std::map<QString, qint64> valid = Enumerate(law);
    PasswordLaw counted = MakeLaw(law);
    qint64 sequences = 0;
    for (const auto& [password, ways] : valid)
        sequences += ways;
    if (valid.empty()) {
        QVERIFY(counted.isEmpty());
        return;
    }
    double entropy = 0;
    for (const auto& [password, ways] : valid)
        entropy -= double(ways) / double(sequences) * std::log2(double(ways) / double(sequences));
    QCOMPARE(counted.distinctCount().value_or(-1), qint64(valid.size()));
    QVERIFY(qAbs(counted.log2Count() - std::log2(double(sequences))) < 1e-9);
    QVERIFY(qAbs(counted.entropyBits() - entropy) < 1e-9);
    QVERIFY(counted.prepareRanking());
    std::map<QString, qint64> ranked;
    for (qint64 r = 0; r < qint64(valid.size()); ++r)
        ++ranked[counted.passwordOfRank(r)];
    QCOMPARE(ranked.size(), valid.size());
    for (const auto& [password, times] : ranked)
        QVERIFY2(valid.count(password) && times == 1, qPrintable(password));
}

void PasswordLawTest::drawsAreUniform_data() {
    QTest::addColumn<LawCase>("law");
    // Under a quarter of all sequences valid: drawn from the table of counts.
    QTest::newRow("from the counts, repeated entries") << LawCase{"aab1", 5, {"1"}, {2}, 1, true};
    QTest::newRow("from the counts, runs and a minimum") << LawCase{"abc1", 5, {"1"}, {3}, 2};
    QTest::newRow("from the counts, runs only") << LawCase{"ab", 10, {}, {}, 2};
    QTest::newRow("whole and again") << LawCase{"ab1", 4, {"1"}, {1}, 2};
    QTest::newRow("whole and again, one minimum") << LawCase{"ab1", 4, {"1"}, {1}};
    QTest::newRow("counts first, then places") << LawCase{"ab1C", 4, {"1", "C"}, {1, 1}};
}

// Every valid password comes with its chance among the valid ones (chi-square, 0.1 % level).
void PasswordLawTest::drawsAreUniform() {
    QFETCH(LawCase, law);
    const std::map<QString, qint64> valid = Enumerate(law);
    const PasswordLaw counted = MakeLaw(law);
    RandomSource source(ChaChaKey{7, 1, 2, 3, 4, 5, 6, 7});
    qint64 sequences = 0;
    for (const auto& [password, ways] : valid)
        sequences += ways;
    const qint64 draws = 400 * qint64(valid.size());
    std::map<QString, qint64> seen;
    for (qint64 i = 0; i < draws; ++i)
        ++seen[counted.draw(source, [] { return false; })];
    double chiSquare = 0;
    for (const auto& [password, ways] : valid) {
        const double expected = double(draws) * double(ways) / double(sequences);
        chiSquare += std::pow(double(seen[password]) - expected, 2) / expected;
    }
    QCOMPARE(seen.size(), valid.size()); // nothing invalid
    // The 0.1 % point of chi-square with k degrees of freedom, by Wilson and Hilferty.
    const double k = double(valid.size() - 1);
    const double bound = k * std::pow(1 - 2 / (9 * k) + 3.09 * std::sqrt(2 / (9 * k)), 3);
    QVERIFY2(chiSquare < bound, qPrintable(QStringLiteral("%1 >= %2").arg(chiSquare).arg(bound)));
}

// 99,999 digits, no two alike in a row: 10 * 9^99998 passwords.
void PasswordLawTest::longestLengthIsExact() {
    const PasswordLaw law = MakeLaw({"0123456789", 99999, {}, {}, 1});
    const double exact = std::log2(10.0) + 99998 * std::log2(9.0);
    QVERIFY(qAbs(law.log2Count() - exact) < 1e-6);
}

QTEST_APPLESS_MAIN(PasswordLawTest)
#include "tst_PasswordLaw.moc"
