#include "LookAlikes.h"

void RemoveLookAlikes(CharacterPool& pool) {
    for (char32_t c : kLookAlikeCharacters)
        pool.removeAll(c);
}
