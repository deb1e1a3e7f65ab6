#pragma once

#include <QString>
#include <limits>

// A run keeps all its passwords in memory at once; these guard against a run that cannot fit.

// "Nothing says there is a limit."
constexpr quint64 kNoMemoryLimit = std::numeric_limits<quint64>::max();

// Bytes needed to hold count passwords of length characters in a vector-backed list model.
// unitsPerCharacter is 1 when every character of the pool fits one UTF-16 unit and 2 when the
// pool holds characters beyond the Basic Multilingual Plane (such a password reserves two units
// per character). Non-positive numbers count as 0; the result saturates instead of overflowing.
quint64 EstimateRunBytes(qint64 length, qint64 count, int unitsPerCharacter = 1);

// What the machine and the process's limits say, each kNoMemoryLimit when nothing is known.
struct MemoryFacts {
    quint64 physical = kNoMemoryLimit;
    quint64 addressSpaceLimit = kNoMemoryLimit; // RLIMIT_AS, against the mapped size
    quint64 addressSpaceUsed = 0;
    quint64 dataLimit = kNoMemoryLimit; // RLIMIT_DATA, against the private writable mappings
    quint64 dataUsed = 0;
    quint64 cgroupHeadroom = kNoMemoryLimit; // the tightest memory.max on the way to the root
};

// The smallest of physical memory and what each limit still leaves; 0 when a limit is already
// reached, kNoMemoryLimit when nothing is known.
quint64 AvailableMemoryBytes(const MemoryFacts& facts);

// Reads the facts of this process: sysconf, getrlimit, /proc/self/status and the cgroup v2
// files below cgroupRoot.
MemoryFacts ReadMemoryFacts(const QString& cgroupRoot = QStringLiteral("/sys/fs/cgroup"));
quint64 AvailableMemoryBytes();

// How much a cgroup v2 hierarchy still lets the process allocate: for the process's cgroup
// (the "0::" line of procSelfCgroup) and each of its ancestors below cgroupRoot, memory.max minus
// memory.current; "max" means no limit. kNoMemoryLimit when no level sets one.
quint64 CgroupHeadroomBytes(const QString& procSelfCgroup, const QString& cgroupRoot);

// Installed memory, 0 when the system does not say.
quint64 PhysicalMemoryBytes();

// True when the run needs at most half of what may still be allocated, so that copying, sorting
// and saving the list still find room.
bool RunFitsInMemory(quint64 estimatedBytes, quint64 availableBytes);
