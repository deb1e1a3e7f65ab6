#include "HelpPlacement.h"

#include <algorithm>

QRect HelpFrameBeside(const QRect& mainFrame, QSize helpFrameSize, const QRect& screen,
                      int minimumWidth) {
    // Never larger than the screen's free area, whatever the scale.
    int width = std::min(helpFrameSize.width(), screen.width());
    const int height = std::min(helpFrameSize.height(), screen.height());
    const int roomRight = screen.right() - mainFrame.right();
    const int roomLeft = mainFrame.left() - screen.left();

    const int widerRoom = std::max(roomRight, roomLeft);
    if (width > widerRoom && widerRoom >= minimumWidth)
        width = widerRoom;

    int left = 0;
    if (width <= roomRight)
        left = mainFrame.right() + 1;
    else if (width <= roomLeft)
        left = mainFrame.left() - width;
    else if (roomRight >= roomLeft)
        left = screen.right() + 1 - width;
    else
        left = screen.left();
    left = std::max(left, screen.left()); // a window wider than the screen shows its left edge

    const int lowest = screen.bottom() + 1 - height;
    const int top = std::max(screen.top(), std::min(mainFrame.top(), lowest));
    return QRect(left, top, width, height);
}
