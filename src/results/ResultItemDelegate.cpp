#include "ResultItemDelegate.h"

#include "PasswordFont.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QTextLayout>

#include <limits>
#include <utility>

namespace {

// Characters just outside the visible range are laid out too, so that the glyphs at its edges
// are shaped with their neighbours.
constexpr qreal kEdgeSlack = 32;

QStyle* StyleOf(const QStyleOptionViewItem& option) {
    return option.widget ? option.widget->style() : QApplication::style();
}

// The part of the item that can be seen: the viewport and the painter's clip, if any.
QRect VisibleRect(const QPainter* painter, const QStyleOptionViewItem& option) {
    QRect visible = option.rect;
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(option.widget))
        visible &= area->viewport()->rect();
    if (painter->hasClipping())
        visible &= painter->clipBoundingRect().toAlignedRect();
    return visible;
}

} // namespace

ResultItemDelegate::ResultItemDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

QFont ResultItemDelegate::passwordFont(const QFont& viewFont) {
    return PasswordFont(viewFont.pointSizeF() > 0 ? viewFont.pointSizeF() : 9);
}

void ResultItemDelegate::initStyleOption(QStyleOptionViewItem* option,
                                         const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->font = passwordFont(option->font);
    option->fontMetrics = QFontMetrics(option->font);
}

const CharacterAdvances& ResultItemDelegate::advances(const QFont& font) const {
    if (!m_advances || m_advances->font() != font)
        m_advances = std::make_unique<CharacterAdvances>(font);
    return *m_advances;
}

bool ResultItemDelegate::canPaintSlice(const QStyleOptionViewItem& option) {
    const Qt::Alignment horizontal = option.displayAlignment & Qt::AlignHorizontal_Mask;
    return option.text.size() > kLongText && option.direction == Qt::LeftToRight &&
           (horizontal == Qt::AlignLeft || horizontal == Qt::AlignLeading) &&
           !(option.features & QStyleOptionViewItem::WrapText) && !option.text.isRightToLeft();
}

void ResultItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!canPaintSlice(opt)) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // Background, selection and focus frame come from the style as usual, without the text.
    const QString text = std::exchange(opt.text, QString());
    opt.features &= ~QStyleOptionViewItem::HasDisplay;
    QStyle* style = StyleOf(opt);
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
    paintVisibleText(painter, opt, text, textRect);
}

void ResultItemDelegate::paintVisibleText(QPainter* painter, const QStyleOptionViewItem& option,
                                          const QString& text, const QRect& textRect) const {
    const QRect visible = VisibleRect(painter, option);
    if (visible.isEmpty())
        return;
    const QWidget* widget = option.widget;
    const int margin =
        StyleOf(option)->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const QRect inner = textRect.adjusted(margin, 0, -margin, 0);

    const CharacterAdvances& table = advances(option.font);
    const CharacterAdvances::Span span =
        table.span(text, CharacterAdvances::fromPixels(visible.left() - inner.left() - kEdgeSlack),
                   CharacterAdvances::fromPixels(visible.right() + 1 - inner.left() + kEdgeSlack));
    if (span.begin >= span.end)
        return;

    // The same pen as the style's own item text.
    QPalette::ColorGroup group =
        option.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    if (group == QPalette::Normal && !(option.state & QStyle::State_Active))
        group = QPalette::Inactive;
    const QPalette::ColorRole role =
        option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text;

    QTextOption textOption;
    textOption.setWrapMode(QTextOption::ManualWrap);
    textOption.setTextDirection(option.direction);
    textOption.setAlignment(Qt::AlignLeft);
    QTextLayout layout(text.mid(span.begin, span.end - span.begin), option.font);
    layout.setTextOption(textOption);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(CharacterAdvances::toPixels(table.width(layout.text())) + 1);
    line.setPosition({0, 0});
    layout.endLayout();

    // Vertically placed as the style places a single line.
    const QRect lineRect =
        QStyle::alignedRect(option.direction, option.displayAlignment & Qt::AlignVertical_Mask,
                            QSize(inner.width(), int(line.height())), inner);
    painter->save();
    painter->setPen(option.palette.color(group, role));
    layout.draw(painter,
                QPointF(inner.left() + CharacterAdvances::toPixels(span.x), lineRect.top()));
    painter->restore();
}

QSize ResultItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    if (!canPaintSlice(opt) || index.data(Qt::SizeHintRole).isValid())
        return QStyledItemDelegate::sizeHint(option, index);
    // The height and margins from a short sample, the width from the advance table.
    const CharacterAdvances& table = advances(opt.font);
    const QString text = std::exchange(opt.text, opt.text.left(kLongText));
    QSize size = StyleOf(opt)->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), opt.widget);
    const qint64 extra = table.width(text) - table.width(opt.text);
    size.rwidth() += qCeil(CharacterAdvances::toPixels(extra));
    return size;
}
