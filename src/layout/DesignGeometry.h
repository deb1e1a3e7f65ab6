#pragma once
// Where every placed control of the main window sits at its design client size
// (8775 x 3750 twips). A control inside a frame is placed relative to that frame.
#include "Twips.h"

#include <optional>
#include <span>
#include <string_view>

struct DesignControl {
    std::string_view name;   // the control's object name, e.g. "extraText"
    std::string_view parent; // "" for the window, else the containing frame
    TwipsRect rect;
};

inline constexpr TwipsSize kDesignClientSize{8775, 3750};

// Every placed control, in the window's containment order; the two etched lines
// are drawn, not placed, and are not listed.
std::span<const DesignControl> DesignControls();

// The design rectangle of one control, or nothing for an unknown name.
std::optional<TwipsRect> DesignGeometry(std::string_view controlName);
