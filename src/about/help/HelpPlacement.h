#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the help window's frame goes so that it stands beside the main window instead of over
// it: to the right of the main window's frame if it fits on the screen, else to its left, else
// against the side of the screen with more room (overlapping as little as it can). The top
// edge follows the main window's, kept on the screen.
QPoint HelpTopLeftBeside(const QRect& mainFrame, QSize helpFrameSize, const QRect& screen);
