#include "MainLayout.h"

#include "DesignGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Rectangles of the controls whose design values the pass reads; it never changes those.
struct ReferenceValues {
    TwipsRect fraAddChr, fraCountSet, txtAddChr, txtDeleteChr;
    TwipsRect fraProgressbar, prgCount, lblStatus, lblProgressbar, lblKanryo;
};

const ReferenceValues& Reference() {
    static const ReferenceValues values = [] {
        const auto at = [](std::string_view name) { return *DesignGeometry(name); };
        return ReferenceValues{at("fraAddChr"),    at("fraCountSet"),    at("txtAddChr"),
                               at("txtDeleteChr"), at("fraProgressbar"), at("prgCount"),
                               at("lblStatus"),    at("lblProgressbar"), at("lblKanryo")};
    }();
    return values;
}

// The progress frame's design size and its bottom margin, which fix the minimum.
constexpr float kProgressDesignWidth = 8535;
constexpr float kProgressDesignHeight = 1335;
constexpr float kBottomMargin = 375;

// Right margin of the two text boxes inside their frame.
constexpr float kTextRightMargin = 180;
// The progress bar and the status label are this much narrower than their frame.
constexpr float kProgressInset = 720;
constexpr float kStatusAboveMiddle = 480;
// The two count labels stand this far above the bottom edge ...
constexpr float kCountLabelsAboveBottom = 270;
// ... and begin this far left of the right edge.
constexpr float kCountLeftOfRight = 615;
constexpr float kKanryoLeftOfRight = 1695;

// The pass computes in single precision; every input goes through float first.
float F(double twips) {
    return static_cast<float>(twips);
}

TwipsRect Rect(float left, float top, float width, float height) {
    return {left, top, width, height};
}

} // namespace

double MinimumClientWidth() {
    return std::nearbyint(2 * F(Reference().fraProgressbar.left) + kProgressDesignWidth);
}

double MinimumClientHeight() {
    return std::nearbyint(F(Reference().fraProgressbar.top) + kProgressDesignHeight +
                          kBottomMargin);
}

TwipsSize MinimumClientSize() {
    return {MinimumClientWidth(), MinimumClientHeight()};
}

double CorrectedOuterWidth(double clientWidth, double outerWidth) {
    const double minimum = MinimumClientWidth();
    return clientWidth < minimum ? outerWidth - clientWidth + minimum : outerWidth;
}

double CorrectedOuterHeight(double clientHeight, double outerHeight) {
    const double minimum = MinimumClientHeight();
    return clientHeight < minimum ? outerHeight - clientHeight + minimum : outerHeight;
}

TwipsSize CorrectedOuterSize(TwipsSize client, TwipsSize outer) {
    return {CorrectedOuterWidth(client.width, outer.width),
            CorrectedOuterHeight(client.height, outer.height)};
}

MainLayout ComputeMainLayout(double clientWidthTwips, double clientHeightTwips) {
    const ReferenceValues& ref = Reference();
    const float W = F(std::max(clientWidthTwips, MinimumClientWidth()));
    const float H = F(std::max(clientHeightTwips, MinimumClientHeight()));
    const float addLeft = F(ref.fraAddChr.left);
    const float countWidth = F(ref.fraCountSet.width);
    const float progressLeft = F(ref.fraProgressbar.left);
    const float progressTop = F(ref.fraProgressbar.top);
    MainLayout out{};

    const float addWidth = W - 2 * addLeft - countWidth - addLeft;
    out.fraAddChr = Rect(addLeft, F(ref.fraAddChr.top), addWidth, F(ref.fraAddChr.height));
    out.fraCountSet = Rect(W - (addLeft + countWidth), F(ref.fraCountSet.top), countWidth,
                           F(ref.fraCountSet.height));
    const float textWidth = addWidth - F(ref.txtAddChr.left) - kTextRightMargin;
    out.txtAddChr =
        Rect(F(ref.txtAddChr.left), F(ref.txtAddChr.top), textWidth, F(ref.txtAddChr.height));
    out.txtDeleteChr = Rect(F(ref.txtDeleteChr.left), F(ref.txtDeleteChr.top), textWidth,
                            F(ref.txtDeleteChr.height));

    const float progressWidth = W - 2 * progressLeft;
    const float progressHeight = H - progressTop - kBottomMargin;
    out.fraProgressbar = Rect(progressLeft, progressTop, progressWidth, progressHeight);
    out.lvwPW = out.fraProgressbar;
    const float middle = progressHeight / 2;
    out.prgCount =
        Rect(F(ref.prgCount.left), middle, progressWidth - kProgressInset, F(ref.prgCount.height));
    out.lblStatus = Rect(F(ref.lblStatus.left), middle - kStatusAboveMiddle,
                         progressWidth - kProgressInset, F(ref.lblStatus.height));
    out.lblProgressbar = Rect(W - kCountLeftOfRight, H - kCountLabelsAboveBottom,
                              F(ref.lblProgressbar.width), F(ref.lblProgressbar.height));
    out.lblKanryo = Rect(W - kKanryoLeftOfRight, H - kCountLabelsAboveBottom,
                         F(ref.lblKanryo.width), F(ref.lblKanryo.height));
    return out;
}

std::array<PlacedControl, 10> PlacementOrder(const MainLayout& layout) {
    return {{{"fraAddChr", layout.fraAddChr},
             {"fraCountSet", layout.fraCountSet},
             {"txtAddChr", layout.txtAddChr},
             {"txtDeleteChr", layout.txtDeleteChr},
             {"fraProgressbar", layout.fraProgressbar},
             {"lvwPW", layout.lvwPW},
             {"prgCount", layout.prgCount},
             {"lblStatus", layout.lblStatus},
             {"lblProgressbar", layout.lblProgressbar},
             {"lblKanryo", layout.lblKanryo}}};
}
