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

// The [Rules] as the window's 詳細設定 dialog edits them: each value by its meaning.
struct RuleChoices {
    SymbolSet symbols = SymbolSet::None;
    ClassMinimums minimums;
    qint32 maxRun = 0; // 0: no limit
    FirstCharacter first = FirstCharacter::Any;
    QString passwordRules; // as typed; blank: none
    bool operator==(const RuleChoices&) const = default;

    // The part of passwordRules that cannot be read or met (see ParseSiteRules); empty when the
    // text can be used, a blank text included.
    QString passwordRulesProblem() const;
};

// A stored value that names nothing is shown as what it gives: no rule.
RuleChoices RuleChoicesFrom(const StoredSettings& stored);
// Sets the [Rules] fields to the choices. A field whose choice is what RuleChoicesFrom read
// keeps its stored value, so what the user did not change (a name that names nothing, a
// minimum beyond the longest password) is written back as it was found.
void ApplyRuleChoices(StoredSettings& stored, const RuleChoices& choices);
