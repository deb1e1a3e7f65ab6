#include "CaptionFrame.h"

#include <QPainter>
#include <QStyle>
#include <qdrawutil.h>

CaptionFrame::CaptionFrame(const QString& caption, QWidget* parent) : QGroupBox(caption, parent) {}

QRect CaptionFrame::captionRect() const {
    if (title().isEmpty())
        return {};
    const QSize text = fontMetrics().size(Qt::TextShowMnemonic, title());
    return QRect(kCaptionLeft, 0, text.width() + 2 * kCaptionPadding, text.height());
}

QRect CaptionFrame::lineRect() const {
    // Frames side by side share their top line whether they have a caption or not.
    const int top = (fontMetrics().height() - 1) / 2;
    return QRect(0, top, width(), height() - top);
}

QRect CaptionFrame::innerRect() const {
    return lineRect().adjusted(kLineWidth, kLineWidth, -kLineWidth, -kLineWidth);
}

void CaptionFrame::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect caption = captionRect();
    // The line stops short of the caption on either side.
    if (!caption.isEmpty())
        painter.setClipRegion(QRegion(rect()).subtracted(QRegion(caption)));
    qDrawShadeRect(&painter, lineRect(), palette(), true, 1, 0);
    painter.setClipping(false);
    if (!caption.isEmpty())
        style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                              isEnabled(), title(), QPalette::WindowText);
}
