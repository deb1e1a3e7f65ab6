#include "DesignGeometry.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<DesignControl, 22> kControls{{
    {"tlbMain", "", {0, 0, 8775, 360}},
    {"fraAddChr", "", {120, 600, 6255, 1335}},
    {"chkAddSuji", "fraAddChr", {240, 240, 975, 255}},
    {"chkAddAlphabetBig", "fraAddChr", {240, 600, 2175, 255}},
    {"chkAddAlphabetMini", "fraAddChr", {240, 960, 2175, 255}},
    {"chkAddChr", "fraAddChr", {2640, 240, 1695, 300}},
    {"chkDeleteChr", "fraAddChr", {2640, 600, 1695, 300}},
    {"txtAddChr", "fraAddChr", {4320, 240, 1695, 270}},
    {"txtDeleteChr", "fraAddChr", {4320, 600, 1695, 270}},
    {"fraCountSet", "", {6480, 600, 2175, 1335}},
    {"Label4", "fraCountSet", {240, 285, 855, 255}},
    {"txtMojisu", "fraCountSet", {1080, 240, 855, 270}},
    {"Label6", "fraCountSet", {240, 645, 855, 255}},
    {"txtSeisei", "fraCountSet", {1080, 600, 855, 270}},
    {"Label1", "fraCountSet", {240, 960, 1815, 255}},
    {"fraProgressbar", "", {120, 2040, 8535, 1335}},
    {"prgCount", "fraProgressbar", {480, 600, 7815, 255}},
    {"lblStatus", "fraProgressbar", {360, 120, 7815, 495}},
    {"lvwPW", "", {120, 2160, 8535, 1215}},
    {"lstSagyo", "", {0, 1560, 495, 420}},
    {"lblKanryo", "", {7080, 3480, 975, 255}},
    {"lblProgressbar", "", {8160, 3480, 495, 255}},
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
