#pragma once

#include <QString>

// The options of one run, read from the main window when the run starts.
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
