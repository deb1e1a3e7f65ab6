#pragma once

#include "PasswordLimits.h"

#include <QList>
#include <QString>

// Every free text a password is drawn from (the window's extra and excluded boxes, the texts of
// the settings file, keymill-cli's -a and -x) holds only characters that can be seen and typed
// from a printout. Dropped:
//  - controls (category Cc): C0 (tab, line feed, carriage return ...), DEL and C1 (U+0080 to
//    U+009F: U+0085 is a line break, U+009B starts a terminal escape);
//  - line and paragraph separators (Zl, Zp: U+2028, U+2029);
//  - halves of surrogate pairs standing alone;
//  - format characters (Cf) that join nothing visible: soft hyphen, zero-width space, word
//    joiner, byte-order mark, and every bidirectional control (U+061C, U+200E, U+200F,
//    U+202A to U+202E, U+2066 to U+2069), which never stays, since it turns what is shown
//    around.
//  - noncharacters (U+FDD0 to U+FDEF, and U+FFFE and U+FFFF of every plane);
//  - a combining mark with no base (U+0301 at the start of the text), with the marks after it;
//  - a regional indicator without its pair (🇯 alone: two of them make one flag, 🇯🇵).
// A format character stays only where it joins a visible character within one grapheme cluster:
// a zero-width joiner between two emoji (👩‍💻), or the tag characters of a flag (🏴 with
// its tags, ended by U+E007F). Everything else stays: an emoji as a whole pair, and the
// private-use characters, where the user-defined characters of code page 932 lie.

struct FilteredFreeText {
    QString text;
    int cursor = 0;
    QList<char32_t> dropped; // the code points dropped: controls first, then the rest
};

// text without those characters; cursor (a position in text) moves back by the units dropped
// before it.
FilteredFreeText FilterFreeText(const QString& text, int cursor);

// The first `room` code units of text (kMaxFreeTextLength when not given), one fewer where the
// cut would part the two halves of a surrogate pair.
QString CutToFreeTextLimit(const QString& text, qsizetype room = kMaxFreeTextLength);
