#pragma once
// What a close stores of the window's outer rectangle. A pixel holds 15 twips, so a value read
// from the settings file is in general no whole number of pixels: stored back from the pixels,
// Top=2000 (133.3 px) would come back as 1995 after a close in which nothing moved. So each value
// the window still has as the file gave it is stored exactly as it was read:
//  - left and top while the window stands where it stood once placed: where a window manager
//    put it elsewhere, or on a system where a program cannot place its windows, the user still
//    did not move it;
//  - width and height while the window has the size the read value gives in pixels.
// Everything else comes from the pixels, 15 twips each: what the user moved or resized, and a
// size grown to the window's minimum, which so is stored as the size the window really has and
// reads back as that same size at the next start.
#include "Twips.h"

#include <QRect>

// `read`: the rectangle read from the file (after its checks); `placed`: the window's outer
// rectangle in pixels once it was placed at start; `now`: the outer rectangle at the close.
TwipsRect OuterTwipsToStore(const TwipsRect& read, const QRect& placed, const QRect& now);
