#include "KeptTwips.h"

TwipsRect OuterTwipsToStore(const TwipsRect& read, const QRect& placed, const QRect& now) {
    const TwipsRect measured = PixelsToTwips(now);
    const QRect readPixels = TwipsToPixels(read);
    return {now.x() == placed.x() ? read.left : measured.left,
            now.y() == placed.y() ? read.top : measured.top,
            now.width() == readPixels.width() ? read.width : measured.width,
            now.height() == readPixels.height() ? read.height : measured.height};
}
