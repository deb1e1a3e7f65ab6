#include "ResultListView.h"

#include "ResultHeaderView.h"
#include "ResultItemDelegate.h"
#include "ResultListAccessible.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
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
    ExposeAsList(this);
    // Tab reaches the list once it holds passwords, after the option controls; an empty list
    // stays out of the way, yet the program still gives it the focus after a run.
    setFocusPolicy(Qt::ClickFocus);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &ResultListView::followRowCount);
    connect(m_model, &QAbstractItemModel::rowsRemoved, this, &ResultListView::followRowCount);
    connect(m_model, &QAbstractItemModel::modelReset, this, &ResultListView::followRowCount);
    header()->setStretchLastSection(true);
    header()->setSectionsMovable(false);
    // Sorting keeps the same rows; a reset (a new run) starts the measuring again.
    connect(m_model, &QAbstractItemModel::modelReset, this, &ResultListView::forgetMeasuredRows);
}

void ResultListView::forgetMeasuredRows() {
    m_measuredRows = 0;
    m_widestSum = -1;
    m_widestText.clear();
}

void ResultListView::followRowCount() {
    setFocusPolicy(m_model->rowCount() > 0 ? Qt::StrongFocus : Qt::ClickFocus);
}

void ResultListView::measureNewRows() {
    // Summed character advances find the widest text without shaping 99,999 rows.
    const CharacterAdvances& advances =
        m_delegate->advances(ResultItemDelegate::passwordFont(font()));
    const QStringList& rows = m_model->texts();
    for (qsizetype row = m_measuredRows; row < rows.size(); ++row) {
        const qint64 sum = advances.width(rows[row]);
        if (sum > m_widestSum) {
            m_widestSum = sum;
            m_widestText = rows[row];
        }
    }
    m_measuredRows = int(rows.size());
}

void ResultListView::autoSizeColumn() {
    if (m_model->columnCount() == 0)
        return;
    m_model->flushPending();
    measureNewRows();

    // Short texts are shaped as a whole; a very long one is drawn slice by slice at its summed
    // advances, so that sum is its width.
    constexpr qsizetype kShapedLength = 4096;
    const QFontMetrics metrics(ResultItemDelegate::passwordFont(font()));
    int widest = 0;
    if (m_widestSum >= 0) {
        widest = qCeil(CharacterAdvances::toPixels(m_widestSum));
        if (m_widestText.size() <= kShapedLength)
            widest = std::max(widest, metrics.horizontalAdvance(m_widestText));
    }

    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    const int rowWidth = widest + margin + indentation() * (rootIsDecorated() ? 1 : 0);
    const int headerWidth = header()->sectionSizeHint(0);
    // A section cannot grow past the header's limit (about a million pixels); asking for more
    // is refused and would leave the column as narrow as the view.
    const int wanted = std::min(std::max(rowWidth, headerWidth), header()->maximumSectionSize());

    header()->setMinimumSectionSize(wanted);
    header()->resizeSection(0, std::max(wanted, viewport()->width()));
}

void ResultListView::mousePressEvent(QMouseEvent* event) {
    QTreeView::mousePressEvent(event);
    emit mouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void ResultListView::keyPressEvent(QKeyEvent* event) {
    // Left to the item view, Ctrl+C would copy only the current row.
    if (event->matches(QKeySequence::Copy)) {
        emit copyKeyPressed();
        return;
    }
    if (event->matches(QKeySequence::SelectAll)) {
        emit selectAllKeyPressed();
        return;
    }
    const bool shiftF10 = event->key() == Qt::Key_F10 && event->modifiers() == Qt::ShiftModifier;
    if (event->key() == Qt::Key_Menu || shiftF10) {
        emit popupMenuKeyPressed(popupPosition());
        return;
    }
    QTreeView::keyPressEvent(event);
}

QPoint ResultListView::popupPosition() const {
    // Below the current row's text, as far as the list shows it; the list's corner otherwise.
    const QRect shown = viewport()->rect();
    const QRect row = visualRect(currentIndex()).intersected(shown);
    if (row.isEmpty())
        return shown.topLeft();
    return QPoint(row.left() + row.height(), row.bottom());
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
