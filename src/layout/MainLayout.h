#pragma once
// The main window's layout pass as arithmetic: given the client size W x H in twips,
// where the ten controls that follow the window's size go. Widgets are not touched.
#include "Twips.h"

#include <array>
#include <string_view>

struct MainLayout {
    // Top band (placed first).
    TwipsRect charactersFrame;
    TwipsRect countsFrame;
    TwipsRect extraText;   // relative to charactersFrame
    TwipsRect excludeText; // relative to charactersFrame
    // Middle and bottom.
    TwipsRect progressFrame;
    TwipsRect resultList;  // always the rectangle of progressFrame
    TwipsRect progressBar; // relative to progressFrame
    TwipsRect statusLabel; // relative to progressFrame
    TwipsRect doneCount;
    TwipsRect doneCaption;
};

struct PlacedControl {
    std::string_view name; // the control's object name
    TwipsRect rect;        // relative to its parent, as for QWidget::setGeometry
};

// The ten placed controls in the order the pass applies them.
std::array<PlacedControl, 10> PlacementOrder(const MainLayout& layout);

// The smallest client area the window keeps: 8775 x 3750.
double MinimumClientWidth();
double MinimumClientHeight();
TwipsSize MinimumClientSize();

// The window's outer size that brings a too small client area back to the minimum:
// outer - client + minimum. A client side at or above the minimum keeps its outer size.
double CorrectedOuterWidth(double clientWidth, double outerWidth);
double CorrectedOuterHeight(double clientHeight, double outerHeight);

// The placed rectangles for a client area of W x H twips, in single precision, so half
// twips survive (progressBar's Top is 667.5 at the design size). A side below the minimum
// is laid out as the minimum, as the window is after its size correction.
MainLayout ComputeMainLayout(double clientWidthTwips, double clientHeightTwips);
