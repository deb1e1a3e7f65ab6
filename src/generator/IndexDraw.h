#pragma once

#include "RandomSource.h"

#include <QtGlobal>

// The index of one pool entry out of n (n > 0): reseed from the clock, take r, pick floor(r * n).
// Every draw of a run goes through here, whatever the pool holds.
inline qsizetype DrawIndex(qsizetype n, RandomSource& source) {
    source.reseedFromClock();
    const float r = source.nextValue();
    return qsizetype(double(r) * double(n));
}
