#pragma once

#include <QTest>

// For tests that measure what the allocator gives or maps: under the sanitizers (KEYMILL_SANITIZE)
// freed blocks wait in quarantine and shadow memory is mapped, so the figures mean nothing.
#ifdef KEYMILL_SANITIZED
#define SKIP_WHEN_SANITIZED() QSKIP("measures the allocator, which the sanitizer replaces")
#else
#define SKIP_WHEN_SANITIZED() (void)0
#endif
