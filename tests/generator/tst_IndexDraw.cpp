#include "CharacterPool.h"
#include "IndexDraw.h"
#include "PasswordGenerator.h"
#include "RandomSource.h"

#include <QTest>
#include <map>
#include <vector>

namespace {

// Hands out one chosen value, then every value of the width in turn, and counts what it gave.
struct ScriptedSource {
    quint64 first = 0;
    quint64 handedOut = 0;
    template <typename UInt> UInt next() { return UInt(handedOut++ == 0 ? first : handedOut); }
};

// Passwords drawn by the loops the window and keymill-cli run, counted by whole character.
std::map<char32_t, qint64> countCharacters(const CharacterPool& pool, RandomSource& source,
                                           qint64 draws, bool viaPasswords) {
    std::map<char32_t, qint64> seen;
    if (!viaPasswords) {
        for (qint64 i = 0; i < draws; ++i)
            ++seen[pool.at(DrawIndex(pool.size(), source))];
        return seen;
    }
    constexpr qint32 kLength = 10'000;
    for (qint64 done = 0; done < draws; done += kLength) {
        const QString password = GeneratePassword(pool, kLength, source, [] { return false; });
        for (char32_t c : password.toUcs4())
            ++seen[c];
    }
    return seen;
}

} // namespace

class IndexDrawTest : public QObject {
    Q_OBJECT

private slots:
    void everyIndexOwnsTheSameNumberOfValues_data();
    void everyIndexOwnsTheSameNumberOfValues();
    void drawsAreUniformOverThePool_data();
    void drawsAreUniformOverThePool();
};

void IndexDrawTest::everyIndexOwnsTheSameNumberOfValues_data() {
    QTest::addColumn<qsizetype>("n");
    // Every pool size that draws single bytes, the edges of two-byte draws, and sizes that
    // leave many values over.
    for (qsizetype n = 1; n <= 257; ++n)
        QTest::addRow("%lld", qlonglong(n)) << n;
    for (qsizetype n : {258, 1000, 21845, 32767, 32769, 65535, 65536})
        QTest::addRow("%lld", qlonglong(n)) << n;
}

// Exact, not statistical: every possible random value of the draw's width is fed in once; each
// index must be the answer for the same number of them, and the rest must be redrawn.
void IndexDrawTest::everyIndexOwnsTheSameNumberOfValues() {
    QFETCH(qsizetype, n);
    const IndexRange range(n);
    const quint64 values = quint64(1) << (8 * range.bytes());
    std::vector<quint64> owned(size_t(n), 0);
    quint64 rejected = 0;
    for (quint64 x = 0; x < values; ++x) {
        ScriptedSource source{x};
        const qsizetype index = range.draw(source);
        QVERIFY(index >= 0 && index < n);
        if (source.handedOut == 1)
            ++owned[size_t(index)];
        else
            ++rejected;
    }
    const quint64 share = values / quint64(n);
    for (qsizetype i = 0; i < n; ++i)
        QCOMPARE(owned[size_t(i)], share);
    QCOMPARE(rejected, values % quint64(n));
}

void IndexDrawTest::drawsAreUniformOverThePool_data() {
    QTest::addColumn<QString>("poolText");
    QTest::addColumn<bool>("viaPasswords");
    QTest::addColumn<double>("limit");

    // Chi-square limits with a false-alarm rate of one in a million, for entries - 1 degrees of
    // freedom. The key is fixed, so the outcome is the same on every run.
    GenerationOptions all;
    all.digits = all.upper = all.lower = true;
    const struct {
        const char* name;
        QString text;
        double limit;
    } pools[] = {
        {"62 classes, df 61", BuildCharacterPool(all).toString(), 128.6},
        {"10 digits, df 9", QStringLiteral("0123456789"), 44.9},
        {"digits plus a second 7, df 9", QStringLiteral("01234567897"), 44.9},
        {"digits and two emoji, df 11", QStringLiteral("0123456789😀🎉"), 50.7},
    };
    for (const auto& pool : pools) {
        QTest::addRow("%s, one at a time", pool.name) << pool.text << false << pool.limit;
        QTest::addRow("%s, in passwords", pool.name) << pool.text << true << pool.limit;
    }
}

void IndexDrawTest::drawsAreUniformOverThePool() {
    QFETCH(QString, poolText);
    QFETCH(bool, viaPasswords);
    QFETCH(double, limit);
    GenerationOptions options;
    options.extra = true;
    options.extraText = poolText;
    const CharacterPool pool = BuildCharacterPool(options);

    std::map<char32_t, qint64> entries;
    for (char32_t c : poolText.toUcs4())
        ++entries[c];
    const qint64 entryCount = qint64(poolText.toUcs4().size());
    constexpr qint64 kDraws = 2'000'000;
    RandomSource source(ChaChaKey{19, 18, 4, 62, 10, 11, 12, 0});
    std::map<char32_t, qint64> seen = countCharacters(pool, source, kDraws, viaPasswords);

    QCOMPARE(seen.size(), entries.size());
    double chiSquare = 0;
    for (const auto& [c, count] : entries) {
        const double expected = double(kDraws) * double(count) / double(entryCount);
        const double diff = double(seen[c]) - expected;
        chiSquare += diff * diff / expected;
    }
    QVERIFY2(chiSquare < limit, qPrintable(QString::number(chiSquare)));
}

QTEST_APPLESS_MAIN(IndexDrawTest)
#include "tst_IndexDraw.moc"
