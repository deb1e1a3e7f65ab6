#pragma once
// Twips (1/1440 inch) are the unit of all window geometry; 15 twips make one
// device-independent pixel, and Qt scales those for HiDPI screens.
#include <QPoint>
#include <QRect>
#include <QSize>

struct TwipsRect {
    double left, top, width, height;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct TwipsSize {
    double width, height;
    friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};

struct TwipsPoint {
    double x, y;
    friend bool operator==(const TwipsPoint&, const TwipsPoint&) = default;
};

inline constexpr double kTwipsPerPixel = 15.0;

// One coordinate or length: the nearest pixel, halves rounded up (towards +infinity),
// so 667.5 twips (44.5 px) become 45 px and -7.5 twips become 0 px.
int TwipsToPixels(double twips);

// A rectangle is converted by its edges, not by its size: left and right edge each
// round to the nearest pixel line, and the width is their difference. Two controls
// that share an edge in twips therefore share it in pixels: no overlap, no gap.
QRect TwipsToPixels(const TwipsRect& rect);
QSize TwipsToPixels(TwipsSize size);
QPoint TwipsToPixels(TwipsPoint point);

double PixelsToTwips(int pixels);
TwipsRect PixelsToTwips(const QRect& rect);
TwipsSize PixelsToTwips(QSize size);
TwipsPoint PixelsToTwips(QPoint point);
