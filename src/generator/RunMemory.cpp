#include "RunMemory.h"

#include <limits>
#include <unistd.h>

namespace {

// QString object in the model's vector.
constexpr quint64 kStringObjectBytes = sizeof(QString);
// QArrayData header in front of the characters.
constexpr quint64 kDataHeaderBytes = 16;
// malloc's own header; blocks are rounded up to its alignment.
constexpr quint64 kMallocHeaderBytes = 8;
constexpr quint64 kMallocAlignment = 16;

constexpr quint64 kSaturated = std::numeric_limits<quint64>::max();

} // namespace

quint64 EstimateRunBytes(qint64 mojisu, qint64 seisei) {
    if (mojisu <= 0 || seisei <= 0)
        return 0;
    quint64 text = 0;
    // 2 bytes per unit plus the terminating null.
    if (__builtin_mul_overflow(quint64(mojisu) + 1, quint64(2), &text))
        return kSaturated;
    quint64 block = text + kDataHeaderBytes + kMallocHeaderBytes;
    if (block < text || block > kSaturated - kMallocAlignment)
        return kSaturated;
    block = (block + kMallocAlignment - 1) / kMallocAlignment * kMallocAlignment;
    quint64 perPassword = 0;
    quint64 total = 0;
    if (__builtin_add_overflow(block, kStringObjectBytes, &perPassword) ||
        __builtin_mul_overflow(perPassword, quint64(seisei), &total))
        return kSaturated;
    return total;
}

quint64 PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return quint64(pages) * quint64(pageSize);
}

bool RunFitsInMemory(qint64 mojisu, qint64 seisei, quint64 physicalBytes) {
    if (physicalBytes == 0)
        return true;
    return EstimateRunBytes(mojisu, seisei) <= physicalBytes / 2;
}

QString RunTooLargeMessage() {
    return QStringLiteral(
        "Error:文字数と生成数が大きすぎるため、パスワードを保持するメモリが足りません。");
}
