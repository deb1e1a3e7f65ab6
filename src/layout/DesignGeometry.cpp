#include "DesignGeometry.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<DesignControl, 21> kControls{{
    {"toolBar", "", {0, 0, 8775, 360}},
    {"charactersFrame", "", {120, 600, 6255, 1335}},
    {"digitsBox", "charactersFrame", {240, 240, 975, 255}},
    {"upperBox", "charactersFrame", {240, 600, 2175, 255}},
    {"lowerBox", "charactersFrame", {240, 960, 2175, 255}},
    {"extraBox", "charactersFrame", {2640, 240, 1695, 300}},
    {"excludeBox", "charactersFrame", {2640, 600, 1695, 300}},
    {"extraText", "charactersFrame", {4320, 240, 1695, 270}},
    {"excludeText", "charactersFrame", {4320, 600, 1695, 270}},
    {"countsFrame", "", {6480, 600, 2175, 1335}},
    {"lengthLabel", "countsFrame", {240, 285, 855, 255}},
    {"lengthBox", "countsFrame", {1080, 240, 855, 270}},
    {"countLabel", "countsFrame", {240, 645, 855, 255}},
    {"countBox", "countsFrame", {1080, 600, 855, 270}},
    {"rangeHint", "countsFrame", {240, 960, 1815, 255}},
    {"progressFrame", "", {120, 2040, 8535, 1335}},
    {"progressBar", "progressFrame", {480, 600, 7815, 255}},
    {"statusLabel", "progressFrame", {360, 120, 7815, 495}},
    {"resultList", "", {120, 2160, 8535, 1215}},
    {"doneCaption", "", {7080, 3480, 975, 255}},
    {"doneCount", "", {8160, 3480, 495, 255}},
}};

} // namespace

std::span<const DesignControl> DesignControls() {
    return kControls;
}

std::optional<TwipsRect> DesignGeometry(std::string_view controlName) {
    const auto found = std::ranges::find(kControls, controlName, &DesignControl::name);
    if (found == kControls.end())
        return std::nullopt;
    return found->rect;
}
