#pragma once

#include <QString>

// The two free-text boxes (extra and excluded characters) hold only what can stand in a
// password: no C0 control (U+0000 to U+001F: line feed, carriage return, tab ...), no DEL and
// no half of a surrogate pair. Everything else, an emoji as a whole pair included, stays.

struct FilteredFreeText {
    QString text;
    int cursor = 0;
};

// text without those units; cursor (a position in text) moves back by the units dropped before
// it.
FilteredFreeText FilterFreeText(const QString& text, int cursor);
