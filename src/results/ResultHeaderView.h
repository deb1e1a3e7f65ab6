#pragma once

#include <QHeaderView>

// The list's header. Its one section is as wide as the longest password, hundreds of thousands
// of pixels; the style would fill a pixmap of that size at every paint, so only the part of the
// section near the visible area is painted.
class ResultHeaderView : public QHeaderView {
    Q_OBJECT
public:
    explicit ResultHeaderView(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
