#pragma once

#include <QMargins>
#include <optional>

class QWindow;

// The frame the window manager draws around `window` on X11, as it announces it in the
// window's _NET_FRAME_EXTENTS property. The toolkit works its own idea of the frame out once,
// and a window framed while that happens (a busy start, a window placed at a screen corner) may
// keep a frame of 1 x 1 pixel or none for good; the property is what the window manager itself
// says. Nothing on another platform, or before the window manager has framed the window.
std::optional<QMargins> X11FrameExtents(const QWindow* window);
