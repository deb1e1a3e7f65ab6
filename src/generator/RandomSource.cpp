#include "RandomSource.h"

#include <QRandomGenerator>
#include <cerrno>
#include <sodium.h>
#include <sys/random.h>

namespace {

bool fillFromKernel(void* data, size_t size) {
    auto* bytes = static_cast<char*>(data);
    while (size > 0) {
        const ssize_t got = getrandom(bytes, size, 0);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += got;
        size -= size_t(got);
    }
    return true;
}

ChaChaKey keyFromSystem() {
    ChaChaKey key;
    if (!fillFromKernel(key.data(), sizeof key))
        QRandomGenerator::system()->fillRange(key.data(), key.size());
    return key;
}

template <size_t N> std::array<uchar, 4 * N> bytesOf(const std::array<quint32, N>& words) {
    std::array<uchar, 4 * N> bytes;
    for (size_t i = 0; i < N; ++i)
        qToLittleEndian(words[i], bytes.data() + 4 * i);
    return bytes;
}

static_assert(crypto_stream_chacha20_ietf_KEYBYTES == sizeof(ChaChaKey));
static_assert(crypto_stream_chacha20_ietf_NONCEBYTES == sizeof(ChaChaNonce));

} // namespace

bool InitKeystreamLibrary() {
    return sodium_init() >= 0;
}

RandomSource::RandomSource() : RandomSource(keyFromSystem()) {}

RandomSource::RandomSource(const ChaChaKey& key) : key_(bytesOf(key)) {
    InitKeystreamLibrary();
}

RandomSource::~RandomSource() {
    sodium_memzero(key_.data(), key_.size());
    sodium_memzero(stream_.data(), stream_.size());
}

void RandomSource::mixClock(quint64 clockValue) {
    lastClock_ = clockValue;
    uchar clockBytes[8];
    qToLittleEndian(clockValue, clockBytes);
    for (size_t i = 0; i < sizeof clockBytes; ++i)
        key_[i] ^= clockBytes[i];
    refill();
}

void RandomSource::refill() {
    static constexpr std::array<uchar, crypto_stream_chacha20_ietf_NONCEBYTES> kNonce{};
    crypto_stream_chacha20_ietf(stream_.data(), stream_.size(), kNonce.data(), key_.data());
    std::memcpy(key_.data(), stream_.data(), kKeyBytes);
    sodium_memzero(stream_.data(), kKeyBytes);
    next_ = kKeyBytes;
}

RandomSource& ProcessRandomSource() {
    static RandomSource source;
    return source;
}
