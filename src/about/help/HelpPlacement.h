#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the help window's frame goes, never larger than the screen's available area, so that
// it stands beside the main window instead of over it: to the right of the main window's frame
// if it fits on the screen, else to its left. When neither side holds it, it is narrowed to the
// wider side if that leaves it minimumWidth, and otherwise keeps its width against the side of the
// screen with more room, overlapping as little as it can. The top edge follows the main window's,
// kept on the screen.
QRect HelpFrameBeside(const QRect& mainFrame, QSize helpFrameSize, const QRect& screen,
                      int minimumWidth);
