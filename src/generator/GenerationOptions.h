#pragma once

#include "SymbolSets.h"

#include <QString>

// The character options of one run: the window reads them from its controls when the run
// starts, keymill-cli from its arguments or a settings file.
struct GenerationOptions {
    bool digits = false;
    bool upper = false;
    bool lower = false;
    SymbolSet symbols = SymbolSet::None; // the symbols class and its preset
    bool extra = false;                  // the characters of extraText join the pool
    QString extraText;
    bool exclude = false; // the characters of excludeText leave the pool
    QString excludeText;
};
