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
