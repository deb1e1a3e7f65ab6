#include "ResultListView.h"

#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QMouseEvent>

#include <array>

ResultListView::ResultListView(QWidget* parent)
    : QTreeView(parent), m_model(new ResultListModel(this)) {
    setModel(m_model);
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

    // Shaping every row would take far too long for 99,999 passwords: a per-character width
    // table finds the widest text, which alone is then measured as a whole.
    const QFontMetrics metrics(font());
    std::array<int, 128> asciiAdvance;
    asciiAdvance.fill(-1);
    QHash<char32_t, int> otherAdvance;
    const auto advanceOf = [&](char32_t c) {
        if (c < asciiAdvance.size()) {
            int& width = asciiAdvance[c];
            if (width < 0)
                width = metrics.horizontalAdvance(QString::fromUcs4(&c, 1));
            return width;
        }
        auto it = otherAdvance.constFind(c);
        if (it == otherAdvance.cend())
            it = otherAdvance.insert(c, metrics.horizontalAdvance(QString::fromUcs4(&c, 1)));
        return *it;
    };
    int widestSum = 0;
    const QString* widestText = nullptr;
    for (const QString& text : m_model->texts()) {
        int sum = 0;
        for (qsizetype i = 0; i < text.size(); ++i) {
            char32_t c = text[i].unicode();
            if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
                c = QChar::surrogateToUcs4(text[i], text[i + 1]), ++i;
            sum += advanceOf(c);
        }
        if (sum > widestSum || !widestText) {
            widestSum = sum;
            widestText = &text;
        }
    }
    const int widest = widestText ? std::max(widestSum, metrics.horizontalAdvance(*widestText)) : 0;

    const int margin = 2 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 8;
    const int rowWidth = widest + margin + indentation() * (rootIsDecorated() ? 1 : 0);
    const int headerWidth = header()->sectionSizeHint(0);
    const int wanted = std::max(rowWidth, headerWidth);

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
