#pragma once

#include "ChaCha20.h"

#include <QtEndian>
#include <QtGlobal>
#include <array>
#include <cstring>
#include <time.h>

// A cryptographically secure source of values 0 <= r < 1: a buffered ChaCha20 keystream keyed
// from the operating system. Every refill takes the next key from the stream itself, so output
// already handed out cannot be recomputed from the state that follows it.
//
// Reseeding mixes a clock value into the key and never replaces it, so the clock adds to the
// secret state but cannot make the output predictable. A clock value equal to the previous one
// is ignored: many values are drawn within one clock tick and each must continue the sequence.
class RandomSource {
public:
    RandomSource();
    // A reproducible source, for checks that need to compare two sequences.
    explicit RandomSource(const ChaChaKey& key);

    RandomSource(const RandomSource&) = delete;
    RandomSource& operator=(const RandomSource&) = delete;

    // The coarse clock moves every few milliseconds while hundreds of thousands of values are
    // drawn, and reading it costs as much as a draw, so only every 64th call reads it.
    void reseedFromClock() {
        if (--callsUntilClockRead_ > 0) [[likely]]
            return;
        callsUntilClockRead_ = kCallsPerClockRead;
        timespec now;
        clock_gettime(CLOCK_REALTIME_COARSE, &now);
        reseed(quint64(now.tv_sec) * 1000000000u + quint64(now.tv_nsec));
    }

    void reseed(quint64 clockValue) {
        if (clockValue != lastClock_) [[unlikely]]
            mixClock(clockValue);
    }

    // 24 random bits (three keystream bytes) on the 2^-24 grid: every value is exact in single
    // precision.
    float nextValue() {
        if (next_ > kLastValueOffset) [[unlikely]]
            refill();
        quint32 bits;
        std::memcpy(&bits, buffer_.data() + next_, sizeof bits);
        next_ += 3;
        return float(qFromLittleEndian(bits) & 0xffffffu) * 0x1p-24f;
    }

private:
    static constexpr int kCallsPerClockRead = 64;
    static constexpr int kBlocks = 16;
    static constexpr int kKeyWords = 8;
    static constexpr int kBufferBytes = 4 * (16 * kBlocks - kKeyWords);
    static constexpr int kLastValueOffset = kBufferBytes - 3;

    void mixClock(quint64 clockValue);
    void refill();

    ChaChaKey key_{};
    // One spare byte so that the last value can be read as a whole word.
    std::array<uchar, kBufferBytes + 1> buffer_{};
    int next_ = kBufferBytes;
    quint64 lastClock_ = 0;
    int callsUntilClockRead_ = 1;
};

// The one source of the process, created on first use.
RandomSource& ProcessRandomSource();
