#include "AboutPlacement.h"

#include <cmath>

namespace {

int Centred(int mainStart, int mainLength, int aboutLength) {
    const double start = mainStart + mainLength / 2.0 - aboutLength / 2.0;
    return static_cast<int>(std::floor(start + 0.5));
}

} // namespace

QPoint CenteredTopLeft(const QRect& mainFrame, QSize aboutFrameSize) {
    return QPoint(Centred(mainFrame.x(), mainFrame.width(), aboutFrameSize.width()),
                  Centred(mainFrame.y(), mainFrame.height(), aboutFrameSize.height()));
}
