#pragma once

#include "PasswordRules.h"
#include "SettingsRules.h"
#include "SymbolSets.h"

#include <QString>
#include <optional>

// The [Rules] of keymill.ini as a run takes them, read the same way by the window and by
// keymill-cli's --settings and --settings-file.
struct StoredRunRules {
    SymbolSet symbols = SymbolSet::None;
    ClassMinimums minimums; // each at most the longest password
    qint32 maxRun = 0;
    FirstCharacter first = FirstCharacter::Any;
    std::optional<SiteRules> siteRules;
    // The last value that names nothing or does not parse, as "[Rules] First=x"; that key
    // gives no rule. Empty when every value was read.
    QString error;
};

StoredRunRules RunRulesFrom(const StoredSettings& stored);
