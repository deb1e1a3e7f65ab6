#pragma once

#include "ResultListView.h"

#include <QString>

// The Edit menu's commands over the result list. Each shows the wait pointer while it works.

// Selects every row (nothing is deselected) and gives the list the focus.
void SelectAllResults(ResultListView& list);

// The selected passwords in list order joined by CR LF, without a trailing separator.
QString SelectedResultsText(const ResultListView& list);

// Puts SelectedResultsText() on the clipboard (the empty text when nothing is selected).
void CopySelectedResults(const ResultListView& list);

// Sorts the list once by UTF-16 code units; equal texts keep their order, selected rows stay
// selected at their new positions. An empty list is left alone.
void SortResults(ResultListView& list, Qt::SortOrder order);
