#pragma once

#include "CharacterPool.h"

#include <array>

// Characters that are easily taken for one another when a password is read off paper or typed
// from a letter: zero, capital O, small o, one, small L, capital I, the vertical bar, and the
// full-width forms of each.
inline constexpr std::array<char32_t, 14> kLookAlikeCharacters{
    U'0',      U'O',      U'o',      U'1',      U'l',      U'I',      U'|',
    U'\uFF10', U'\uFF2F', U'\uFF4F', U'\uFF11', U'\uFF4C', U'\uFF29', U'\uFF5C'};

// Removes every entry of a look-alike character, wherever it came from.
void RemoveLookAlikes(CharacterPool& pool);
