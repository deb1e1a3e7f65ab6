#include "MainLayout.h"

#include "DesignGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

// Rectangles of the controls whose design values the pass reads; it never changes those.
struct ReferenceValues {
    TwipsRect charactersFrame, countsFrame, extraText, excludeText;
    TwipsRect progressFrame, progressBar, statusLabel, doneCount, doneCaption;
};

const ReferenceValues& Reference() {
    static const ReferenceValues values = [] {
        const auto at = [](std::string_view name) { return *DesignGeometry(name); };
        return ReferenceValues{at("charactersFrame"), at("countsFrame"),   at("extraText"),
                               at("excludeText"),     at("progressFrame"), at("progressBar"),
                               at("statusLabel"),     at("doneCount"),     at("doneCaption")};
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
constexpr float kDoneCaptionLeftOfRight = 1695;

// The pass computes in single precision; every input goes through float first.
float F(double twips) {
    return static_cast<float>(twips);
}

TwipsRect Rect(float left, float top, float width, float height) {
    return {left, top, width, height};
}

} // namespace

double MinimumClientWidth() {
    return std::nearbyint(2 * F(Reference().progressFrame.left) + kProgressDesignWidth);
}

double MinimumClientHeight() {
    return std::nearbyint(F(Reference().progressFrame.top) + kProgressDesignHeight + kBottomMargin);
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

MainLayout ComputeMainLayout(double clientWidthTwips, double clientHeightTwips) {
    const ReferenceValues& ref = Reference();
    const float W = F(std::max(clientWidthTwips, MinimumClientWidth()));
    const float H = F(std::max(clientHeightTwips, MinimumClientHeight()));
    const float addLeft = F(ref.charactersFrame.left);
    const float countWidth = F(ref.countsFrame.width);
    const float progressLeft = F(ref.progressFrame.left);
    const float progressTop = F(ref.progressFrame.top);
    MainLayout out{};

    const float addWidth = W - 2 * addLeft - countWidth - addLeft;
    out.charactersFrame =
        Rect(addLeft, F(ref.charactersFrame.top), addWidth, F(ref.charactersFrame.height));
    out.countsFrame = Rect(W - (addLeft + countWidth), F(ref.countsFrame.top), countWidth,
                           F(ref.countsFrame.height));
    const float textWidth = addWidth - F(ref.extraText.left) - kTextRightMargin;
    out.extraText =
        Rect(F(ref.extraText.left), F(ref.extraText.top), textWidth, F(ref.extraText.height));
    out.excludeText =
        Rect(F(ref.excludeText.left), F(ref.excludeText.top), textWidth, F(ref.excludeText.height));

    const float progressWidth = W - 2 * progressLeft;
    const float progressHeight = H - progressTop - kBottomMargin;
    out.progressFrame = Rect(progressLeft, progressTop, progressWidth, progressHeight);
    out.resultList = out.progressFrame;
    const float middle = progressHeight / 2;
    out.progressBar = Rect(F(ref.progressBar.left), middle, progressWidth - kProgressInset,
                           F(ref.progressBar.height));
    out.statusLabel = Rect(F(ref.statusLabel.left), middle - kStatusAboveMiddle,
                           progressWidth - kProgressInset, F(ref.statusLabel.height));
    out.doneCount = Rect(W - kCountLeftOfRight, H - kCountLabelsAboveBottom, F(ref.doneCount.width),
                         F(ref.doneCount.height));
    out.doneCaption = Rect(W - kDoneCaptionLeftOfRight, H - kCountLabelsAboveBottom,
                           F(ref.doneCaption.width), F(ref.doneCaption.height));
    return out;
}

std::array<PlacedControl, 10> PlacementOrder(const MainLayout& layout) {
    return {{{"charactersFrame", layout.charactersFrame},
             {"countsFrame", layout.countsFrame},
             {"extraText", layout.extraText},
             {"excludeText", layout.excludeText},
             {"progressFrame", layout.progressFrame},
             {"resultList", layout.resultList},
             {"progressBar", layout.progressBar},
             {"statusLabel", layout.statusLabel},
             {"doneCount", layout.doneCount},
             {"doneCaption", layout.doneCaption}}};
}
