#pragma once

#include <QtGlobal>
#include <array>

// The ChaCha20 block function of RFC 8439, on 32-bit words. Bytes map to words little-endian.
using ChaChaKey = std::array<quint32, 8>;
using ChaChaNonce = std::array<quint32, 3>;
using ChaChaBlock = std::array<quint32, 16>;

ChaChaBlock ChaCha20Block(const ChaChaKey& key, quint32 counter, const ChaChaNonce& nonce);

// Writes blockCount consecutive blocks, counters firstCounter, firstCounter + 1, ...,
// to out (16 words per block).
void ChaCha20Blocks(const ChaChaKey& key, quint32 firstCounter, const ChaChaNonce& nonce,
                    quint32* out, int blockCount);
