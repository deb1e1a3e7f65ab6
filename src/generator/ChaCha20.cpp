#include "ChaCha20.h"

#include <bit>

namespace {

// Several blocks are computed side by side so that the compiler can use vector registers.
constexpr int kLanes = 16;

struct Lanes {
    quint32 v[kLanes];
};

inline void quarterRound(Lanes& a, Lanes& b, Lanes& c, Lanes& d) {
    for (int j = 0; j < kLanes; ++j) {
        a.v[j] += b.v[j];
        d.v[j] = std::rotl(d.v[j] ^ a.v[j], 16);
        c.v[j] += d.v[j];
        b.v[j] = std::rotl(b.v[j] ^ c.v[j], 12);
        a.v[j] += b.v[j];
        d.v[j] = std::rotl(d.v[j] ^ a.v[j], 8);
        c.v[j] += d.v[j];
        b.v[j] = std::rotl(b.v[j] ^ c.v[j], 7);
    }
}

void initialState(const ChaChaKey& key, quint32 counter, const ChaChaNonce& nonce,
                  quint32 (&s)[16]) {
    s[0] = 0x61707865;
    s[1] = 0x3320646e;
    s[2] = 0x79622d32;
    s[3] = 0x6b206574;
    for (int i = 0; i < 8; ++i)
        s[4 + i] = key[size_t(i)];
    s[12] = counter;
    for (int i = 0; i < 3; ++i)
        s[13 + i] = nonce[size_t(i)];
}

void laneBlocks(const ChaChaKey& key, quint32 firstCounter, const ChaChaNonce& nonce,
                quint32* out) {
    quint32 s[16];
    initialState(key, firstCounter, nonce, s);
    Lanes x[16];
    for (int i = 0; i < 16; ++i) {
        for (int j = 0; j < kLanes; ++j)
            x[i].v[j] = s[i];
    }
    for (int j = 0; j < kLanes; ++j)
        x[12].v[j] = firstCounter + quint32(j);

    for (int round = 0; round < 10; ++round) {
        quarterRound(x[0], x[4], x[8], x[12]);
        quarterRound(x[1], x[5], x[9], x[13]);
        quarterRound(x[2], x[6], x[10], x[14]);
        quarterRound(x[3], x[7], x[11], x[15]);
        quarterRound(x[0], x[5], x[10], x[15]);
        quarterRound(x[1], x[6], x[11], x[12]);
        quarterRound(x[2], x[7], x[8], x[13]);
        quarterRound(x[3], x[4], x[9], x[14]);
    }

    for (int j = 0; j < kLanes; ++j) {
        for (int i = 0; i < 16; ++i) {
            const quint32 initial = i == 12 ? firstCounter + quint32(j) : s[i];
            out[16 * j + i] = x[i].v[j] + initial;
        }
    }
}

} // namespace

ChaChaBlock ChaCha20Block(const ChaChaKey& key, quint32 counter, const ChaChaNonce& nonce) {
    quint32 lanes[16 * kLanes];
    laneBlocks(key, counter, nonce, lanes);
    ChaChaBlock block;
    for (int i = 0; i < 16; ++i)
        block[size_t(i)] = lanes[i];
    return block;
}

void ChaCha20Blocks(const ChaChaKey& key, quint32 firstCounter, const ChaChaNonce& nonce,
                    quint32* out, int blockCount) {
    quint32 lanes[16 * kLanes];
    for (int done = 0; done < blockCount; done += kLanes) {
        const quint32 counter = firstCounter + quint32(done);
        const int count = qMin(kLanes, blockCount - done);
        if (count == kLanes) {
            laneBlocks(key, counter, nonce, out + 16 * done);
        } else {
            laneBlocks(key, counter, nonce, lanes);
            for (int i = 0; i < 16 * count; ++i)
                out[16 * done + i] = lanes[i];
        }
    }
}
