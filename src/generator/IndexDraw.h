#pragma once

#include "RandomSource.h"

#include <QtGlobal>
#include <bit>
#include <limits>

// Drawing an index out of n exactly uniformly: every index has the same chance, whatever n is.
//
// Lemire's multiply-and-reject: a value x of w random bits times n is a number of 2w bits whose
// upper half lies in [0, n). Each upper half is hit by floor(2^w / n) or that plus one values of
// x; rejecting the products whose lower half is below 2^w mod n leaves exactly floor(2^w / n)
// for every index. The narrowest w that holds n is used, so a pool of up to 256 entries takes
// one keystream byte per draw (a pool of 62 rejects 8 in 256), up to 65,536 two bytes.
class IndexRange {
public:
    // n > 0.
    explicit IndexRange(qsizetype n) : n_(quint64(n)) {
        Q_ASSERT(n > 0);
        if (n_ <= 0x100)
            setWidth(1, 0x100);
        else if (n_ <= 0x10000)
            setWidth(2, 0x10000);
        else if (n_ <= 0x100000000)
            setWidth(4, 0x100000000);
        else
            bytes_ = 8;
    }

    qsizetype size() const { return qsizetype(n_); }
    // Keystream bytes per draw before rejections: 1, 2, 4 or 8.
    int bytes() const { return bytes_; }

    // One index, taking values of exactly UInt's width (UInt matching bytes()) from source
    // (a RandomSource, or anything with the same next<UInt>()).
    template <typename UInt, typename Source> qsizetype draw(Source& source) const {
        if constexpr (sizeof(UInt) == 8) {
            // Beyond 2^32 entries (no pool comes near): mask to the next power of two, reject.
            const quint64 mask = std::bit_ceil(n_) - 1;
            for (;;) {
                const quint64 x = source.template next<quint64>() & mask;
                if (x < n_)
                    return qsizetype(x);
            }
        } else {
            using Wide = std::conditional_t<sizeof(UInt) == 4, quint64, quint32>;
            constexpr int kBits = 8 * sizeof(UInt);
            for (;;) {
                const Wide product = Wide(source.template next<UInt>()) * Wide(n_);
                if (UInt(product) >= UInt(rejectBelow_)) [[likely]]
                    return qsizetype(product >> kBits);
            }
        }
    }

    template <typename Source> qsizetype draw(Source& source) const {
        switch (bytes_) {
        case 1:
            return draw<quint8, Source>(source);
        case 2:
            return draw<quint16, Source>(source);
        case 4:
            return draw<quint32, Source>(source);
        default:
            return draw<quint64, Source>(source);
        }
    }

private:
    void setWidth(int bytes, quint64 values) {
        bytes_ = bytes;
        rejectBelow_ = values % n_;
    }

    quint64 n_;
    int bytes_ = 1;
    quint64 rejectBelow_ = 0; // 2^w mod n
};

// The index of one pool entry out of range.size(), after a reseed from the clock. Every draw of
// a run goes through here, whatever the pool holds.
inline qsizetype DrawIndex(const IndexRange& range, RandomSource& source) {
    source.reseedFromClock();
    return range.draw(source);
}

// The same for one draw out of n (n > 0); a loop over many draws keeps one IndexRange instead,
// which saves a division per draw.
inline qsizetype DrawIndex(qsizetype n, RandomSource& source) {
    return DrawIndex(IndexRange(n), source);
}
