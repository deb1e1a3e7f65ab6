#include "ResultHeaderView.h"

ResultHeaderView::ResultHeaderView(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    // A report list's column caption stands at the left, as on the desktop the list comes from;
    // it also lets a very wide section be painted near the visible area only.
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

void ResultHeaderView::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    // Beyond this distance from the visible area nothing of the section can show, not even its
    // caption, which starts at the section's left edge.
    const int reach = sectionSizeFromContents(logicalIndex).width() + 2 * viewport()->width();
    const QRect near = viewport()->rect().adjusted(-reach, 0, reach, 0);
    if (rect.left() >= near.left() && rect.right() <= near.right()) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    const Qt::Alignment horizontal = defaultAlignment() & Qt::AlignHorizontal_Mask;
    if (horizontal != Qt::AlignLeft && horizontal != Qt::AlignLeading) {
        QHeaderView::paintSection(painter, rect, logicalIndex);
        return;
    }
    QRect cut = rect;
    cut.setLeft(std::max(rect.left(), near.left()));
    cut.setRight(std::min(rect.right(), near.right()));
    QHeaderView::paintSection(painter, cut, logicalIndex);
}
