#include "ListCommands.h"

#include "WaitCursor.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>

#include <vector>

namespace {

std::vector<bool> SelectedRows(const ResultListView& list) {
    const ResultListModel& model = *list.resultModel();
    std::vector<bool> selected(model.count(), false);
    const QItemSelectionModel* selection = list.selectionModel();
    if (!selection)
        return selected;
    // Ranges, not indexes: select all is one range, whatever the list's length.
    for (const QItemSelectionRange& range : selection->selection()) {
        if (range.model() != &model)
            continue;
        for (int row = range.top(); row <= range.bottom(); ++row)
            selected[row] = true;
    }
    return selected;
}

QItemSelection RowRanges(const ResultListModel& model, const std::vector<bool>& selected) {
    QItemSelection ranges;
    const int lastColumn = std::max(0, model.columnCount() - 1);
    const int rows = static_cast<int>(selected.size());
    for (int row = 0; row < rows;) {
        if (!selected[row]) {
            ++row;
            continue;
        }
        int end = row;
        while (end + 1 < rows && selected[end + 1])
            ++end;
        ranges.append(QItemSelectionRange(model.index(row, 0), model.index(end, lastColumn)));
        row = end + 1;
    }
    return ranges;
}

} // namespace

void SelectAllResults(ResultListView& list) {
    WaitCursor wait;
    ResultListModel& model = *list.resultModel();
    model.flushPending();
    if (model.count() > 0 && model.columnCount() > 0)
        list.selectionModel()->select(
            QItemSelection(model.index(0, 0),
                           model.index(model.count() - 1, model.columnCount() - 1)),
            QItemSelectionModel::Select);
    list.setFocus(Qt::OtherFocusReason);
}

QString SelectedResultsText(const ResultListView& list) {
    const ResultListModel& model = *list.resultModel();
    const std::vector<bool> selected = SelectedRows(list);
    qsizetype length = 0;
    for (int row = 0; row < model.count(); ++row)
        if (selected[row])
            length += model.text(row).size() + 2;
    QString text;
    text.reserve(length);
    bool first = true;
    for (int row = 0; row < model.count(); ++row) {
        if (!selected[row])
            continue;
        if (!first)
            text += QLatin1String("\r\n");
        text += model.text(row);
        first = false;
    }
    return text;
}

void CopySelectedResults(const ResultListView& list) {
    WaitCursor wait;
    QGuiApplication::clipboard()->setText(SelectedResultsText(list));
}

void SortResults(ResultListView& list, Qt::SortOrder order) {
    WaitCursor wait;
    ResultListModel& model = *list.resultModel();
    model.flushPending();
    if (model.count() == 0)
        return;

    QItemSelectionModel* selection = list.selectionModel();
    const std::vector<bool> wasSelected = SelectedRows(list);
    // Cleared first, so that the model's reorder does not carry 99,999 single indexes along.
    selection->clearSelection();
    const QList<int> from = model.sortByText(order);

    std::vector<bool> selected(wasSelected.size());
    for (int row = 0; row < from.size(); ++row)
        selected[row] = wasSelected[from[row]];
    const QItemSelection ranges = RowRanges(model, selected);
    if (!ranges.isEmpty())
        selection->select(ranges, QItemSelectionModel::Select); // Rows would merge pairwise
}
