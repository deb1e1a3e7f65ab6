#pragma once

#include <QtEndian>
#include <QtGlobal>
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstring>
#include <time.h>
#include <type_traits>

// A ChaCha20 key and nonce as 32-bit words; bytes map to words little-endian, as in RFC 8439.
using ChaChaKey = std::array<quint32, 8>;
using ChaChaNonce = std::array<quint32, 3>;

// Readies libsodium (it picks the fastest keystream code for this processor); call at start.
// Every RandomSource calls it too, so a program that forgets it is slower, never wrong.
bool InitKeystreamLibrary();

// A cryptographically secure source of random bits: a buffered ChaCha20 keystream keyed from the
// operating system. Every refill takes the next key from the stream itself, so output already
// handed out cannot be recomputed from the state that follows it.
//
// Reseeding mixes a clock value into the key and never replaces it, so the clock adds to the
// secret state but cannot make the output predictable. A clock value equal to the previous one
// is ignored: many values are drawn within one clock tick and each must continue the sequence.
class RandomSource {
public:
    RandomSource();
    // A reproducible source, for checks that need to compare two sequences.
    explicit RandomSource(const ChaChaKey& key);
    ~RandomSource();

    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;

    // The coarse clock moves every few milliseconds while hundreds of thousands of values are
    // drawn, and reading it costs as much as several draws, so only every 256th call reads it.
    void reseedFromClock() {
        if (--callsUntilClockRead_ > 0) [[likely]]
            return;
        callsUntilClockRead_ = kCallsPerClockRead;
        timespec now;
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        reseed(quint64(now.tv_sec) * 1000000000u + quint64(now.tv_nsec));
    }

    // The reseed before the first of up to draws values in a row; answers how many of them (at
    // least one) it covers, exactly as if reseedFromClock() ran before each: a loop then counts
    // its draws in a register instead of here.
    int reseedFromClockFor(int draws) {
        reseedFromClock();
        const int quiet = std::min(draws, callsUntilClockRead_) - 1;
        callsUntilClockRead_ -= quiet;
        return quiet + 1;
    }

    void reseed(quint64 clockValue) {
        if (clockValue != lastClock_) [[unlikely]]
            mixClock(clockValue);
    }

    // The next sizeof(UInt) bytes of the keystream, read little-endian: as few bytes as the
    // caller needs, so a small pool spends one byte of keystream per draw.
    template <typename UInt> UInt next() {
        static_assert(std::is_unsigned_v<UInt>);
        if (kStreamBytes - next_ < qsizetype(sizeof(UInt))) [[unlikely]]
            refill();
        UInt bits;
        std::memcpy(&bits, stream_.data() + next_, sizeof bits);
        next_ += qsizetype(sizeof bits);
        return qFromLittleEndian(bits);
    }

    // Reads the buffered keystream through a cursor of its own, which a tight loop keeps in a
    // register instead of updating the source's after every value. Hand the position back with
    // store() before anything else may draw from the source, and call resync() after it.
    class Reader {
    public:
        explicit Reader(RandomSource& source) : source_(source) { reload(); }

        template <typename UInt> UInt next() {
            static_assert(std::is_unsigned_v<UInt>);
            if (end_ - at_ < qsizetype(sizeof(UInt))) [[unlikely]] {
                source_.refill();
                reload();
            }
            UInt bits;
            std::memcpy(&bits, at_, sizeof bits);
            at_ += sizeof bits;
            return qFromLittleEndian(bits);
        }

        void store() { source_.next_ = at_ - source_.stream_.data(); }
        // Something else drew from the source (or reseeded it) since store().
        void resync() {
            if (source_.stream_.data() + source_.next_ != at_) [[unlikely]]
                reload();
        }

    private:
        void reload() {
            at_ = source_.stream_.data() + source_.next_;
            end_ = source_.stream_.data() + kStreamBytes;
        }

        RandomSource& source_;
        const uchar* at_;
        const uchar* end_;
    };

private:
    static constexpr int kCallsPerClockRead = 256;
    static constexpr qsizetype kKeyBytes = 32;
    // 64 blocks per call: long enough for the vector code to run at full speed, short enough to
    // stay in the first-level cache.
    static constexpr qsizetype kStreamBytes = 64 * 64;

    void mixClock(quint64 clockValue);
    void refill();

    // The next key: taken from the stream at the last refill, it has produced no output yet.
    std::array<uchar, kKeyBytes> key_{};
    // The first kKeyBytes of each refill become the next key and are wiped here at once.
    alignas(64) std::array<uchar, kStreamBytes> stream_{};
    qsizetype next_ = kStreamBytes;
    quint64 lastClock_ = 0;
    int callsUntilClockRead_ = 1;
};

// The one source of the process, created on first use.
RandomSource& ProcessRandomSource();
