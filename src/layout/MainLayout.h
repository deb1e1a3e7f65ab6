#pragma once
// The main window's layout pass as arithmetic: given the client size W x H in twips,
// where the ten controls that follow the window's size go. Widgets are not touched.
#include "Twips.h"

#include <array>
#include <string_view>

struct MainLayout {
    // Top band (placed first).
    TwipsRect fraAddChr;
    TwipsRect fraCountSet;
    TwipsRect txtAddChr;    // relative to fraAddChr
    TwipsRect txtDeleteChr; // relative to fraAddChr
    // Middle and bottom.
    TwipsRect fraProgressbar;
    TwipsRect lvwPW;     // always the rectangle of fraProgressbar
    TwipsRect prgCount;  // relative to fraProgressbar
    TwipsRect lblStatus; // relative to fraProgressbar
    TwipsRect lblProgressbar;
    TwipsRect lblKanryo;
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
TwipsSize CorrectedOuterSize(TwipsSize client, TwipsSize outer);

// The placed rectangles for a client area of W x H twips, in single precision, so half
// twips survive (prgCount's Top is 667.5 at the design size). A side below the minimum
// is laid out as the minimum, as the window is after its size correction.
MainLayout ComputeMainLayout(double clientWidthTwips, double clientHeightTwips);
