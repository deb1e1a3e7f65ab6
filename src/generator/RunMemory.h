#pragma once

#include <QString>

// A run keeps all its passwords in memory at once; these guard against a run that cannot fit.

// Bytes needed to hold seisei passwords of mojisu UTF-16 units in a vector-backed list model.
// Non-positive numbers count as 0; the result saturates instead of overflowing.
quint64 EstimateRunBytes(qint64 mojisu, qint64 seisei);

// Installed memory, 0 when the system does not say.
quint64 PhysicalMemoryBytes();

// True when the run needs at most half of physicalBytes (0 means unknown: always true).
bool RunFitsInMemory(qint64 mojisu, qint64 seisei, quint64 physicalBytes);

QString RunTooLargeMessage();
