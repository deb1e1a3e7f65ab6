#include "LookAlikes.h"

void RemoveLookAlikes(CharacterPool& pool) {
    static const QString lookAlikes =
        QString::fromUcs4(kLookAlikeCharacters.data(), qsizetype(kLookAlikeCharacters.size()));
    pool.removeAllOf(lookAlikes);
}
