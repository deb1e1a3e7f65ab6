#include "ChaCha20.h"
#include "CharacterPool.h"
#include "PasswordGenerator.h"
#include "RandomSource.h"

#include <QTest>
#include <QtEndian>
#include <cmath>
#include <map>
#include <vector>

namespace {

template <size_t N> std::array<quint32, N> wordsFromHex(const char* hex) {
    const QByteArray bytes = QByteArray::fromHex(hex);
    Q_ASSERT(bytes.size() == qsizetype(4 * N));
    std::array<quint32, N> words;
    for (size_t i = 0; i < N; ++i)
        words[i] = qFromLittleEndian<quint32>(bytes.constData() + 4 * i);
    return words;
}

QByteArray hexOf(const ChaChaBlock& block) {
    QByteArray bytes(64, Qt::Uninitialized);
    for (size_t i = 0; i < 16; ++i)
        qToLittleEndian(block[i], bytes.data() + 4 * i);
    return bytes.toHex();
}

ChaChaKey testKey(quint32 seed) {
    ChaChaKey key;
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = seed * 0x9e3779b9u + quint32(i);
    return key;
}

std::vector<float> draw(RandomSource& source, int count) {
    std::vector<float> values;
    for (int i = 0; i < count; ++i)
        values.push_back(source.nextValue());
    return values;
}

} // namespace

class RandomSourceTest : public QObject {
    Q_OBJECT

private slots:
    void chacha20MatchesPublishedVectors_data();
    void chacha20MatchesPublishedVectors();
    void chacha20BatchEqualsSingleBlocks();
    void valuesLieOnTheGridBelowOne();
    void unchangedClockContinuesTheSequence();
    void changedClockIsMixedIntoTheKey();
    void sourcesCreatedTogetherDiffer();
    void clockIsReadOnTheFirstReseed();
    void drawsAreUniformOverThePool_data();
    void drawsAreUniformOverThePool();
};

void RandomSourceTest::chacha20MatchesPublishedVectors_data() {
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<quint32>("counter");
    QTest::addColumn<QByteArray>("nonce");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray zeroKey(64, '0');
    const QByteArray zeroNonce(24, '0');
    // RFC 8439 section 2.3.2 and appendix A.1.
    QTest::newRow("2.3.2")
        << QByteArray("000102030405060708090a0b0c0d0e0f101112131415161718191a1b1c1d1e1f") << 1u
        << QByteArray("000000090000004a00000000")
        << QByteArray("10f1e7e4d13b5915500fdd1fa32071c4c7d1f4c733c068030422aa9ac3d"
                      "46c4ed2826446079faa0914c2d705d98b02a2b5129cd1de164eb9cbd083e8"
                      "a2503c4e");
    QTest::newRow("A.1 #1") << zeroKey << 0u << zeroNonce
                            << QByteArray(
                                   "76b8e0ada0f13d90405d6ae55386bd28bdd219b8a08ded1aa836efcc8"
                                   "b770dc7da41597c5157488d7724e03fb8d84a376a43b8f41518a11cc387"
                                   "b669b2ee6586");
    QTest::newRow("A.1 #2") << zeroKey << 1u << zeroNonce
                            << QByteArray(
                                   "9f07e7be5551387a98ba977c732d080dcb0f29a048e3656912c6533e3"
                                   "2ee7aed29b721769ce64e43d57133b074d839d531ed1f28510afb45ace1"
                                   "0a1f4b794d6f");
    QTest::newRow("A.1 #3") << QByteArray(zeroKey).replace(63, 1, "1") << 1u << zeroNonce
                            << QByteArray(
                                   "3aeb5224ecf849929b9d828db1ced4dd832025e8018b8160b82284f3c"
                                   "949aa5a8eca00bbb4a73bdad192b5c42f73f2fd4e273644c8b36125a64a"
                                   "ddeb006c13a0");
    QTest::newRow("A.1 #4") << QByteArray(zeroKey).replace(2, 2, "ff") << 2u << zeroNonce
                            << QByteArray(
                                   "72d54dfbf12ec44b362692df94137f328fea8da73990265ec1bbbea1a"
                                   "e9af0ca13b25aa26cb4a648cb9b9d1be65b2c0924a66c54d545ec1b7374"
                                   "f4872e99f096");
    QTest::newRow("A.1 #5") << zeroKey << 0u << QByteArray(zeroNonce).replace(23, 1, "2")
                            << QByteArray(
                                   "c2c64d378cd536374ae204b9ef933fcd1a8b2288b3dfa49672ab765b5"
                                   "4ee27c78a970e0e955c14f3a88e741b97c286f75f8fc299e8148362fa19"
                                   "8a39531bed6d");
}

void RandomSourceTest::chacha20MatchesPublishedVectors() {
    QFETCH(QByteArray, key);
    QFETCH(quint32, counter);
    QFETCH(QByteArray, nonce);
    QFETCH(QByteArray, expected);

    const ChaChaBlock block = ChaCha20Block(wordsFromHex<8>(key.constData()), counter,
                                            wordsFromHex<3>(nonce.constData()));

    QCOMPARE(hexOf(block), expected);
}

void RandomSourceTest::chacha20BatchEqualsSingleBlocks() {
    // 21 blocks: whole batches and a remainder, and a counter that wraps.
    const ChaChaKey key = testKey(7);
    const ChaChaNonce nonce{1, 2, 3};
    const quint32 first = 0xfffffff5u;
    std::vector<quint32> batch(16 * 21);
    ChaCha20Blocks(key, first, nonce, batch.data(), 21);
    for (quint32 b = 0; b < 21; ++b) {
        const ChaChaBlock single = ChaCha20Block(key, first + b, nonce);
        for (size_t i = 0; i < 16; ++i)
            QCOMPARE(batch[16 * b + i], single[i]);
    }
}

void RandomSourceTest::valuesLieOnTheGridBelowOne() {
    RandomSource source;
    float lowest = 1;
    float highest = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const float r = source.nextValue();
        QVERIFY(r >= 0.0f && r < 1.0f);
        const double steps = double(r) * 16777216.0;
        QCOMPARE(steps, std::floor(steps));
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    // A million draws reach both ends of the range.
    QVERIFY(lowest < 1e-4f);
    QVERIFY(highest > 1 - 1e-4f);
}

void RandomSourceTest::unchangedClockContinuesTheSequence() {
    RandomSource reseededEachTime(testKey(1));
    RandomSource reseededOnce(testKey(1));
    reseededOnce.reseed(42);
    std::vector<float> everyTime;
    for (int i = 0; i < 1000; ++i) {
        reseededEachTime.reseed(42);
        everyTime.push_back(reseededEachTime.nextValue());
    }

    QCOMPARE(everyTime, draw(reseededOnce, 1000));
    std::sort(everyTime.begin(), everyTime.end());
    const auto distinct = std::unique(everyTime.begin(), everyTime.end()) - everyTime.begin();
    QVERIFY2(distinct > 990, "an unchanged clock must not restart the sequence");
}

void RandomSourceTest::changedClockIsMixedIntoTheKey() {
    RandomSource clockChanged(testKey(1));
    RandomSource clockKept(testKey(1));
    RandomSource otherKeySameClock(testKey(2));
    for (RandomSource* source : {&clockChanged, &clockKept, &otherKeySameClock})
        source->reseed(1000);
    clockChanged.reseed(1001);
    otherKeySameClock.reseed(1001);

    const std::vector<float> changed = draw(clockChanged, 8);
    QVERIFY(changed != draw(clockKept, 8));
    // The clock is mixed in, not put in place of the secret key.
    QVERIFY(changed != draw(otherKeySameClock, 8));
}

void RandomSourceTest::sourcesCreatedTogetherDiffer() {
    RandomSource first;
    RandomSource second;
    first.reseed(123456789);
    second.reseed(123456789);
    QVERIFY(draw(first, 8) != draw(second, 8));
}

void RandomSourceTest::clockIsReadOnTheFirstReseed() {
    RandomSource reseeded(testKey(3));
    RandomSource untouched(testKey(3));
    reseeded.reseedFromClock();
    QVERIFY(draw(reseeded, 8) != draw(untouched, 8));
}

void RandomSourceTest::drawsAreUniformOverThePool_data() {
    QTest::addColumn<QString>("poolText");
    QTest::addColumn<int>("draws");
    QTest::addColumn<double>("threshold");

    // Chi-square limits with a false-alarm rate of one in a million.
    GenerationOptions all;
    all.AddSuji = all.AddAlphabetBig = all.AddAlphabetMini = true;
    QTest::newRow("62 classes, df 61, limit 128.6")
        << BuildCharacterPool(all).toString() << 620'000 << 128.6;
    QTest::newRow("digits plus a second 7, df 9, limit 44.9")
        << QStringLiteral("01234567897") << 220'000 << 44.9;
}

void RandomSourceTest::drawsAreUniformOverThePool() {
    QFETCH(QString, poolText);
    QFETCH(int, draws);
    QFETCH(double, threshold);
    GenerationOptions options;
    options.AddChr = true;
    options.AddChrList = poolText;
    const CharacterPool pool = BuildCharacterPool(options);

    std::map<char32_t, int> entries;
    for (QChar c : poolText)
        ++entries[c.unicode()];
    std::map<char32_t, int> seen;
    for (int i = 0; i < draws; ++i)
        ++seen[DrawCharacter(pool)];

    QCOMPARE(seen.size(), entries.size());
    double chiSquare = 0;
    for (const auto& [c, count] : entries) {
        const double expected = double(draws) * count / double(poolText.size());
        const double diff = seen[c] - expected;
        chiSquare += diff * diff / expected;
    }
    QVERIFY2(chiSquare < threshold, qPrintable(QString::number(chiSquare)));
}

QTEST_APPLESS_MAIN(RandomSourceTest)
#include "tst_RandomSource.moc"
