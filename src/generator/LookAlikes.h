#pragma once

#include "CharacterPool.h"

#include <array>

// Characters that are easily taken for one another when a password is read off paper or typed
// from a letter: zero, the letter O and the vertical strokes one, l, I and |, in every form a
// user's text brings them. keymill-cli -B and the window's 「似た文字を除く」 remove this one
// table; the help and the manual pages list it.
inline constexpr std::array<char32_t, 26> kLookAlikeCharacters{
    // 0 O o 1 l I |
    U'0', U'O', U'o', U'1', U'l', U'I', U'|',
    // their full-width forms
    U'\uFF10', U'\uFF2F', U'\uFF4F', U'\uFF11', U'\uFF4C', U'\uFF29', U'\uFF5C',
    // 〇, the ideographic zero of Japanese text
    U'\u3007',
    // Cyrillic О о І і
    U'\u041E', U'\u043E', U'\u0406', U'\u0456',
    // Greek Ο ο Ι
    U'\u039F', U'\u03BF', U'\u0399',
    // Roman numerals one Ⅰ and small ⅼ (fifty)
    U'\u2160', U'\u217C',
    // ǀ (the click letter) and ¦ (the broken bar)
    U'\u01C0', U'\u00A6'};

// Removes every entry of a look-alike character, wherever it came from.
void RemoveLookAlikes(CharacterPool& pool);
