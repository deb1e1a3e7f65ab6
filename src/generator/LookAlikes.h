#pragma once

#include "CharacterPool.h"

#include <array>

// Characters that are easily taken for one another when a password is read off paper or typed
// from a letter: zero, the letter O and the vertical strokes one, l, I and |, and the katakana,
// kanji and signs a Japanese reader takes for one another, in every form a user's text brings
// them. keymill-cli -B and the window's 「似た文字を除く」 remove this one table, and every
// character whose compatibility form (NFKC) is one of it: 𝟎, ①, ¹, ₁ and the half-width ｶ go
// with 0, 1 and カ. The help and the manual pages list it.
inline constexpr std::array<char32_t, 52> kLookAlikeCharacters{
    // 0 O o 1 l I |
    U'0', U'O', U'o', U'1', U'l', U'I', U'|',
    // their full-width forms
    U'\uFF10', U'\uFF2F', U'\uFF4F', U'\uFF11', U'\uFF4C', U'\uFF29', U'\uFF5C',
    // 〇, the ideographic zero of Japanese text, and the circles ○ ◯ beside it
    U'\u3007', U'\u25CB', U'\u25EF',
    // Cyrillic О о І і Ӏ ӏ
    U'\u041E', U'\u043E', U'\u0406', U'\u0456', U'\u04C0', U'\u04CF',
    // Greek Ο ο Ι
    U'\u039F', U'\u03BF', U'\u0399',
    // Roman numerals one Ⅰ and small ⅼ (fifty)
    U'\u2160', U'\u217C',
    // ǀ (the click letter) and ¦ (the broken bar)
    U'\u01C0', U'\u00A6',
    // vertical bars: ∣ (divides), │ (box drawing), ￨ (half-width), ︱ (vertical em dash),
    // ⏐ (vertical line extension), 丨 (the kanji stroke)
    U'\u2223', U'\u2502', U'\uFFE8', U'\uFE31', U'\u23D0', U'\u4E28',
    // katakana and the kanji they look like: ロ 口, カ 力, エ 工, ニ 二, ハ 八
    U'\u30ED', U'\u53E3', U'\u30AB', U'\u529B', U'\u30A8', U'\u5DE5', U'\u30CB', U'\u4E8C',
    U'\u30CF', U'\u516B',
    // katakana ヘ and hiragana へ; the long-vowel mark ー and the kanji one 一
    U'\u30D8', U'\u3078', U'\u30FC', U'\u4E00'};

// True when entry (one pool entry) is a look-alike character or a compatibility form of one.
bool IsLookAlike(QStringView entry);

// Removes every entry of a look-alike character, wherever it came from.
void RemoveLookAlikes(CharacterPool& pool);
