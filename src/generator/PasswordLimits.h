#pragma once

#include <QtGlobal>
#include <limits>

// The longest password any front end asks for. The window's length and count boxes hold as
// many digits as it has (their hint names it), and the command line takes the same bound.
inline constexpr qint32 kMaxPasswordLength = 99999;

// The most passwords one run makes; the window's count box stops at kMaxPasswordLength.
inline constexpr qint64 kMaxPasswordCount = std::numeric_limits<qint32>::max();

// The most code units (UTF-16, so an emoji counts two) a free text of the window holds: every
// character of JIS X 0208 (6,879) fits, far more than anyone types, yet a line edit that full
// still answers a key within a few milliseconds (it lays its whole text out at every repaint).
// A longer paste, and a longer text in the settings file, keep their beginning (see
// CutToFreeTextLimit); keymill-cli reads the settings file by the same rule.
inline constexpr int kMaxFreeTextLength = 10000;

// The decimal digits of n > 0.
constexpr int DecimalDigits(qint64 n) {
    int digits = 1;
    while (n >= 10) {
        n /= 10;
        ++digits;
    }
    return digits;
}

// How many characters the window's length and count boxes take.
inline constexpr int kNumberBoxDigits = DecimalDigits(kMaxPasswordLength);
