#include "RunMemory.h"

#include <QDir>
#include <QFile>
#include <QStringList>
#include <algorithm>
#include <sys/resource.h>
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

quint64 headroom(quint64 limit, quint64 used) {
    if (limit == kNoMemoryLimit)
        return kNoMemoryLimit;
    return limit > used ? limit - used : 0;
}

quint64 fromRlimit(rlim_t value) {
    return value == RLIM_INFINITY ? kNoMemoryLimit : quint64(value);
}

// /proc and /sys files report no size; read up to a bound instead.
QByteArray readSmallFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(64 * 1024);
}

// A "Vm...:    1234 kB" line of /proc/self/status, in bytes.
quint64 statusBytes(const QByteArray& status, const QByteArray& key) {
    for (const QByteArray& line : status.split('\n')) {
        if (!line.startsWith(key))
            continue;
        const QList<QByteArray> fields = line.mid(key.size()).simplified().split(' ');
        bool ok = false;
        const quint64 kib = fields.value(0).toULongLong(&ok);
        return ok ? kib * 1024 : 0;
    }
    return 0;
}

quint64 cgroupValue(const QString& dir, const char* name, bool* present) {
    const QByteArray text = readSmallFile(dir + QLatin1Char('/') + QLatin1String(name)).trimmed();
    bool ok = false;
    const quint64 value = text.toULongLong(&ok);
    *present = ok;
    return value;
}

} // namespace

quint64 EstimateRunBytes(qint64 length, qint64 count, int unitsPerCharacter) {
    if (length <= 0 || count <= 0)
        return 0;
    const quint64 units = quint64(std::max(unitsPerCharacter, 1));
    quint64 text = 0;
    // 2 bytes per unit plus the terminating null.
    if (__builtin_mul_overflow(quint64(length), units, &text) || text == kSaturated ||
        __builtin_mul_overflow(text + 1, quint64(2), &text))
        return kSaturated;
    quint64 block = text + kDataHeaderBytes + kMallocHeaderBytes;
    if (block < text || block > kSaturated - kMallocAlignment)
        return kSaturated;
    block = (block + kMallocAlignment - 1) / kMallocAlignment * kMallocAlignment;
    quint64 perPassword = 0;
    quint64 total = 0;
    if (__builtin_add_overflow(block, kStringObjectBytes, &perPassword) ||
        __builtin_mul_overflow(perPassword, quint64(count), &total))
        return kSaturated;
    return total;
}

quint64 AvailableMemoryBytes(const MemoryFacts& facts) {
    return std::min({facts.physical, headroom(facts.addressSpaceLimit, facts.addressSpaceUsed),
                     headroom(facts.dataLimit, facts.dataUsed), facts.cgroupHeadroom});
}

quint64 CgroupHeadroomBytes(const QString& procSelfCgroup, const QString& cgroupRoot) {
    QString path;
    bool unified = false;
    for (const QString& line : procSelfCgroup.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("0::"))) {
            path = line.mid(3).trimmed();
            unified = true;
        }
    }
    if (!unified)
        return kNoMemoryLimit;
    // Every ancestor's limit applies as well; the tightest one counts.
    quint64 tightest = kNoMemoryLimit;
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    parts.removeAll(QStringLiteral(".."));
    while (true) {
        const QString dir = cgroupRoot + QLatin1Char('/') + parts.join(QLatin1Char('/'));
        bool limited = false;
        bool counted = false;
        const quint64 max = cgroupValue(dir, "memory.max", &limited); // "max" does not parse
        const quint64 current = cgroupValue(dir, "memory.current", &counted);
        if (limited)
            tightest = std::min(tightest, headroom(max, counted ? current : 0));
        if (parts.isEmpty())
            break;
        parts.removeLast();
    }
    return tightest;
}

quint64 PhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return quint64(pages) * quint64(pageSize);
}

MemoryFacts ReadMemoryFacts(const QString& cgroupRoot) {
    MemoryFacts facts;
    if (const quint64 physical = PhysicalMemoryBytes())
        facts.physical = physical;
    const QByteArray status = readSmallFile(QStringLiteral("/proc/self/status"));
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) == 0)
        facts.addressSpaceLimit = fromRlimit(limit.rlim_cur);
    facts.addressSpaceUsed = statusBytes(status, "VmSize:");
    if (getrlimit(RLIMIT_DATA, &limit) == 0)
        facts.dataLimit = fromRlimit(limit.rlim_cur);
    facts.dataUsed = statusBytes(status, "VmData:");
    facts.cgroupHeadroom = CgroupHeadroomBytes(
        QString::fromLatin1(readSmallFile(QStringLiteral("/proc/self/cgroup"))), cgroupRoot);
    return facts;
}

quint64 AvailableMemoryBytes() {
    return AvailableMemoryBytes(ReadMemoryFacts());
}

bool RunFitsInMemory(quint64 estimatedBytes, quint64 availableBytes) {
    if (availableBytes == kNoMemoryLimit)
        return estimatedBytes != kSaturated;
    return estimatedBytes <= availableBytes / 2;
}
