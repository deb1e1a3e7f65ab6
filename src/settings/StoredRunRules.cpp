#include "StoredRunRules.h"

#include "PasswordLimits.h"

#include <algorithm>

namespace {

QString KeyText(QLatin1StringView key, const QString& value) {
    return QStringLiteral("[%1] %2=%3").arg(SettingsNames::kRules, key, value);
}

} // namespace

StoredRunRules RunRulesFrom(const StoredSettings& stored) {
    namespace Keys = SettingsNames;
    StoredRunRules rules;
    if (const auto set = SymbolSetNamed(stored.symbols))
        rules.symbols = *set;
    else
        rules.error = KeyText(Keys::kSymbolsKey, stored.symbols);
    // A minimum beyond any password's length is refused by the run plan as such, not summed.
    const auto cut = [](qint32 value) { return std::min(value, kMaxPasswordLength); };
    rules.minimums = {cut(stored.minDigits), cut(stored.minUpper), cut(stored.minLower),
                      cut(stored.minSymbols), cut(stored.minExtra)};
    rules.maxRun = cut(stored.maxRun);
    if (const auto first = FirstCharacterNamed(stored.first))
        rules.first = *first;
    else
        rules.error = KeyText(Keys::kFirstKey, stored.first);
    if (!stored.passwordRules.trimmed().isEmpty()) {
        const SiteRulesParse site = ParseSiteRules(stored.passwordRules);
        if (site.rules)
            rules.siteRules = site.rules;
        else
            rules.error = KeyText(Keys::kPasswordRulesKey, site.badPart);
    }
    return rules;
}

QString RuleChoices::passwordRulesProblem() const {
    if (passwordRules.trimmed().isEmpty())
        return QString();
    return ParseSiteRules(passwordRules).badPart;
}

RuleChoices RuleChoicesFrom(const StoredSettings& stored) {
    const StoredRunRules rules = RunRulesFrom(stored);
    RuleChoices choices;
    choices.symbols = rules.symbols;
    choices.minimums = rules.minimums;
    choices.maxRun = rules.maxRun;
    choices.first = rules.first;
    choices.passwordRules = stored.passwordRules;
    return choices;
}

void ApplyRuleChoices(StoredSettings& stored, const RuleChoices& choices) {
    const RuleChoices was = RuleChoicesFrom(stored);
    if (choices.symbols != was.symbols)
        stored.symbols = SymbolSetName(choices.symbols);
    if (choices.first != was.first)
        stored.first = FirstCharacterName(choices.first);
    const auto setIfChanged = [](qint32& field, qint32 before, qint32 now) {
        if (before != now)
            field = now;
    };
    setIfChanged(stored.minDigits, was.minimums.digits, choices.minimums.digits);
    setIfChanged(stored.minUpper, was.minimums.upper, choices.minimums.upper);
    setIfChanged(stored.minLower, was.minimums.lower, choices.minimums.lower);
    setIfChanged(stored.minSymbols, was.minimums.symbols, choices.minimums.symbols);
    setIfChanged(stored.minExtra, was.minimums.extra, choices.minimums.extra);
    setIfChanged(stored.maxRun, was.maxRun, choices.maxRun);
    stored.passwordRules = choices.passwordRules;
}
