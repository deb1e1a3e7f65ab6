#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

// Top left corner of the About dialog's frame that centres it over the main window's frame:
// main.Left + main.Width / 2 - about.Width / 2, and the same for Top. Half pixels round up.
// The result is not kept within the screen.
QPoint CenteredTopLeft(const QRect& mainFrame, QSize aboutFrameSize);
