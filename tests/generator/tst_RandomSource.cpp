#include "RandomSource.h"

#include <QTest>
#include <QtEndian>
#include <algorithm>
#include <iterator>
#include <sodium.h>
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

// The ChaCha20 keystream of key and nonce (RFC 8439 byte order), block counter 0 first.
QByteArray keystream(const ChaChaKey& key, const ChaChaNonce& nonce, qsizetype size) {
    QByteArray keyBytes(32, Qt::Uninitialized), nonceBytes(12, Qt::Uninitialized);
    qToLittleEndian<quint32>(key.data(), 8, keyBytes.data());
    qToLittleEndian<quint32>(nonce.data(), 3, nonceBytes.data());
    QByteArray bytes(size, Qt::Uninitialized);
    crypto_stream_chacha20_ietf(reinterpret_cast<uchar*>(bytes.data()), size_t(size),
                                reinterpret_cast<const uchar*>(nonceBytes.constData()),
                                reinterpret_cast<const uchar*>(keyBytes.constData()));
    return bytes;
}

ChaChaKey testKey(quint32 seed) {
    ChaChaKey key;
    for (size_t i = 0; i < key.size(); ++i)
        key[i] = seed * 0x9e3779b9u + quint32(i);
    return key;
}

std::vector<quint32> draw(RandomSource& source, int count) {
    std::vector<quint32> values;
    for (int i = 0; i < count; ++i)
        values.push_back(source.next<quint32>());
    return values;
}

} // namespace

class RandomSourceTest : public QObject {
    Q_OBJECT

private slots:
    void chacha20MatchesPublishedVectors_data();
    void chacha20MatchesPublishedVectors();
    void valuesOfEveryWidthContinueTheRekeyedStream();
    void unchangedClockContinuesTheSequence();
    void changedClockIsMixedIntoTheKey();
    void sourcesCreatedTogetherDiffer();
    void clockIsReadOnTheFirstReseed();
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

    // The stream starts at block 0; the block of the vector's counter lies 64 bytes further on
    // for each step.
    const QByteArray stream = keystream(wordsFromHex<8>(key.constData()),
                                        wordsFromHex<3>(nonce.constData()), 64 * (counter + 1));
    QCOMPARE(stream.mid(64 * counter).toHex(), expected);
}

// A plain model of the source: each refill is 4096 bytes of the keystream of the current key;
// its first 32 bytes are the next key and the rest is handed out in order, little-endian,
// values that would cross the end of a refill being skipped.
void RandomSourceTest::valuesOfEveryWidthContinueTheRekeyedStream() {
    constexpr qsizetype kRefill = 4096;
    ChaChaKey key = testKey(5);
    RandomSource source(key);
    QByteArray model;
    const auto refillModel = [&] {
        const QByteArray block = keystream(key, {}, kRefill);
        key = wordsFromHex<8>(block.left(32).toHex().constData());
        model = block.mid(32);
    };
    refillModel();
    const auto take = [&](int size) {
        if (model.size() < size)
            refillModel();
        quint64 value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = value << 8 | uchar(model[i]);
        model.remove(0, size);
        return value;
    };

    // Widths in a pattern that does not divide a refill, over three refills.
    const int widths[] = {1, 4, 2, 8, 1, 1, 4};
    for (int i = 0; i < 5000; ++i) { // about 15,000 bytes
        const int width = widths[i % std::size(widths)];
        quint64 value = 0;
        switch (width) {
        case 1:
            value = source.next<quint8>();
            break;
        case 2:
            value = source.next<quint16>();
            break;
        case 4:
            value = source.next<quint32>();
            break;
        default:
            value = source.next<quint64>();
        }
        QCOMPARE(value, take(width));
    }
}

void RandomSourceTest::unchangedClockContinuesTheSequence() {
    RandomSource reseededEachTime(testKey(1));
    RandomSource reseededOnce(testKey(1));
    reseededOnce.reseed(42);
    std::vector<quint32> everyTime;
    for (int i = 0; i < 1000; ++i) {
        reseededEachTime.reseed(42);
        everyTime.push_back(reseededEachTime.next<quint32>());
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

    const std::vector<quint32> changed = draw(clockChanged, 8);
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

QTEST_APPLESS_MAIN(RandomSourceTest)
#include "tst_RandomSource.moc"
