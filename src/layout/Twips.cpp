#include "Twips.h"

#include <cmath>

int TwipsToPixels(double twips) {
    return static_cast<int>(std::floor(twips / kTwipsPerPixel + 0.5));
}

QRect TwipsToPixels(const TwipsRect& rect) {
    const int left = TwipsToPixels(rect.left);
    const int top = TwipsToPixels(rect.top);
    const int right = TwipsToPixels(rect.left + rect.width);
    const int bottom = TwipsToPixels(rect.top + rect.height);
    return QRect(left, top, right - left, bottom - top);
}

QSize TwipsToPixels(TwipsSize size) {
    return QSize(TwipsToPixels(size.width), TwipsToPixels(size.height));
}

QPoint TwipsToPixels(TwipsPoint point) {
    return QPoint(TwipsToPixels(point.x), TwipsToPixels(point.y));
}

double PixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

TwipsRect PixelsToTwips(const QRect& rect) {
    return {PixelsToTwips(rect.x()), PixelsToTwips(rect.y()), PixelsToTwips(rect.width()),
            PixelsToTwips(rect.height())};
}

TwipsSize PixelsToTwips(QSize size) {
    return {PixelsToTwips(size.width()), PixelsToTwips(size.height())};
}

TwipsPoint PixelsToTwips(QPoint point) {
    return {PixelsToTwips(point.x()), PixelsToTwips(point.y())};
}
