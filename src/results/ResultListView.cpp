#include "ResultListView.h"

#include "ResultHeaderView.h"
#include "ResultItemDelegate.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QMouseEvent>
#include <QtMath>

ResultListView::ResultListView(QWidget* parent)
    : QTreeView(parent), m_model(new ResultListModel(this)),
      m_delegate(new ResultItemDelegate(this)) {
    setHeader(new ResultHeaderView(this));
    setModel(m_model);
    setItemDelegate(m_delegate);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSortingEnabled(false);
    // Out of the Tab order, yet the program still gives it the focus after a run.
    setFocusPolicy(Qt::ClickFocus);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
}

void ResultListView::autoSizeColumn() {
    if (m_model->columnCount() == 0)
        return;
    m_model->flushPending();

    // Shaping every row would take far too long for 99,999 passwords: summed character advances
    // find the widest text, which alone is then measured as a whole.
    const CharacterAdvances& advances = m_delegate->advances(font());
    qint64 widestSum = 0;
    const QString* widestText = nullptr;
    for (const QString& text : m_model->texts()) {
        const qint64 sum = advances.width(text);
        if (sum > widestSum || !widestText) {
            widestSum = sum;
            widestText = &text;
        }
    }
    const QFontMetrics metrics(font());
    const int widest = widestText ? std::max(qCeil(CharacterAdvances::toPixels(widestSum)),
                                             metrics.horizontalAdvance(*widestText))
                                  : 0;

    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    const int rowWidth = widest + margin + indentation() * (rootIsDecorated() ? 1 : 0);
    const int headerWidth = header()->sectionSizeHint(0);
    // A section cannot grow past the header's limit (about a million pixels); asking for more
    // is refused and would leave the column as narrow as the view.
    const int wanted = std::min(std::max(rowWidth, headerWidth), header()->maximumSectionSize());

    header()->setMinimumSectionSize(wanted);
    header()->setStretchLastSection(true);
    header()->resizeSection(0, std::max(wanted, viewport()->width()));
}

void ResultListView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void ResultListView::showEvent(QShowEvent* event) {
    m_model->flushPending();
    QTreeView::showEvent(event);
}

void ResultListView::selectionChanged(const QItemSelection& selected,
                                      const QItemSelection& deselected) {
    // Working out the exact region of thousands of scattered ranges costs seconds; repainting the
    // visible rows costs nothing.
    constexpr qsizetype kManyRanges = 64;
    if (selected.size() + deselected.size() > kManyRanges) {
        viewport()->update();
        return;
    }
    QTreeView::selectionChanged(selected, deselected);
}
