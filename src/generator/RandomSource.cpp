#include "RandomSource.h"

#include <QRandomGenerator>
#include <cerrno>
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

} // namespace

RandomSource::RandomSource() : RandomSource(keyFromSystem()) {}

RandomSource::RandomSource(const ChaChaKey& key) : key_(key) {}

void RandomSource::mixClock(quint64 clockValue) {
    lastClock_ = clockValue;
    // key_ was taken from the stream at the last refill and has produced no output yet.
    key_[0] ^= quint32(clockValue);
    key_[1] ^= quint32(clockValue >> 32);
    refill();
}

void RandomSource::refill() {
    quint32 stream[16 * kBlocks];
    ChaCha20Blocks(key_, 0, ChaChaNonce{}, stream, kBlocks);
    for (int i = 0; i < kKeyWords; ++i)
        key_[size_t(i)] = stream[i];
    for (int i = 0; i < kBufferBytes / 4; ++i)
        qToLittleEndian(stream[kKeyWords + i], buffer_.data() + 4 * i);
    next_ = 0;
}

RandomSource& ProcessRandomSource() {
    static RandomSource source;
    return source;
}
