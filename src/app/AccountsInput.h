#pragma once

#include "AccountList.h"

#include <QString>
#include <QStringList>

// The accounts the hand-out and slips dialogs are given: pasted, read from a file or numbered.

// The words for a refused accounts list.
QString AccountErrorText(const AccountError& error);

// The accounts pasted into a box, one a line; none when the text is refused, with the words
// why in `problem` (left as it was otherwise).
QStringList PastedAccounts(const QString& text, QString& problem);

// The accounts read from a file, and the words for none read yet in `problem`.
QStringList FileAccounts(const QStringList& read, QString& problem);
