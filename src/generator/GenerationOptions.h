#pragma once

#include <QString>

// The options of one run: the window reads them from its controls when the run starts,
// keymill-cli from its arguments or a settings file.
struct GenerationOptions {
    bool AddSuji = false;
    bool AddAlphabetBig = false;
    bool AddAlphabetMini = false;
    bool AddChr = false;
    QString AddChrList;
    bool DeleteChr = false;
    QString DeleteChrList;
    qint32 Mojisu = 0;
    qint32 Seisei = 0;
};
