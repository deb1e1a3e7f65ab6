#include "SettingsRules.h"

#include "IniFile.h"

#include <algorithm>
#include <limits>
#include <tuple>

qint32 GeometryValueOr(const QString& text, qint32 fallback) {
    if (text.isEmpty())
        return fallback;
    for (QChar c : text) {
        if (c < u'0' || c > u'9')
            return fallback;
    }
    bool ok = false;
    const qulonglong value = text.toULongLong(&ok);
    if (!ok || value > qulonglong(std::numeric_limits<qint32>::max()))
        return fallback;
    return qint32(value);
}

WindowTwips ClampToScreen(WindowTwips window, qint32 screenWidthTwips, qint32 screenHeightTwips) {
    if (screenWidthTwips < window.width)
        window.width = screenWidthTwips;
    if (screenHeightTwips < window.height)
        window.height = screenHeightTwips;
    return window;
}

WindowTwips ReadWindowTwips(const QString& file, qint32 screenWidthTwips,
                            qint32 screenHeightTwips) {
    return ReadWindowTwips(ReadIniDocument(file).value_or(IniDocument()), screenWidthTwips,
                           screenHeightTwips);
}

WindowTwips ReadWindowTwips(const IniDocument& ini, qint32 screenWidthTwips,
                            qint32 screenHeightTwips) {
    using namespace SettingsNames;
    const auto read = [&](QLatin1StringView key, qint32 fallback) {
        return GeometryValueOr(ini.value(kPosition, key).value_or(QString()), fallback);
    };
    const WindowTwips stored{
        read(kLeft, kDefaultWindowTwips.left), read(kTop, kDefaultWindowTwips.top),
        read(kWidth, kDefaultWindowTwips.width), read(kHeight, kDefaultWindowTwips.height)};
    return ClampToScreen(stored, screenWidthTwips, screenHeightTwips);
}

bool ClassBoxCheckedFrom(const QString& text) {
    return text != u"0";
}

bool FreeTextBoxCheckedFrom(const QString& text) {
    return text == u"1";
}

QString CheckStateText(bool checked) {
    return checked ? QStringLiteral("1") : QStringLiteral("0");
}

StoredSettings LoadStoredSettings(const IniDocument& ini, qint32 screenWidthTwips,
                                  qint32 screenHeightTwips) {
    using namespace SettingsNames;
    const auto read = [&](QLatin1StringView key) {
        return ini.value(kAdd, key).value_or(QString());
    };
    StoredSettings settings;
    settings.window = ReadWindowTwips(ini, screenWidthTwips, screenHeightTwips);
    settings.digits = ClassBoxCheckedFrom(read(kDigitsKey));
    settings.upper = ClassBoxCheckedFrom(read(kUpperKey));
    settings.lower = ClassBoxCheckedFrom(read(kLowerKey));
    settings.extra = FreeTextBoxCheckedFrom(read(kExtraKey));
    settings.extraText = read(kExtraTextKey);
    settings.exclude = FreeTextBoxCheckedFrom(read(kExcludeKey));
    settings.excludeText = read(kExcludeTextKey);
    settings.noSimilar = FreeTextBoxCheckedFrom(read(kNoSimilarKey));
    settings.eachClass = FreeTextBoxCheckedFrom(read(kEachClassKey));
    settings.unique = FreeTextBoxCheckedFrom(read(kUniqueKey));
    const auto rule = [&](QLatin1StringView key) {
        return ini.value(kRules, key).value_or(QString());
    };
    settings.symbols = rule(kSymbolsKey);
    settings.minDigits = GeometryValueOr(rule(kMinDigitsKey), 0);
    settings.minUpper = GeometryValueOr(rule(kMinUpperKey), 0);
    settings.minLower = GeometryValueOr(rule(kMinLowerKey), 0);
    settings.minSymbols = GeometryValueOr(rule(kMinSymbolsKey), 0);
    settings.minExtra = GeometryValueOr(rule(kMinExtraKey), 0);
    settings.maxRun = GeometryValueOr(rule(kMaxRunKey), 0);
    settings.first = rule(kFirstKey);
    settings.passwordRules = rule(kPasswordRulesKey);
    return settings;
}

bool StoreSettings(IniDocument& ini, const StoredSettings& settings) {
    using namespace SettingsNames;
    const WindowTwips& w = settings.window;
    // A window partly above or left of the screen stands at a negative place, which the reader
    // refuses (it takes 0 for it): 0 is stored, so the file holds what the next start uses.
    const std::pair<QLatin1StringView, QString> position[] = {
        {kLeft, QString::number(std::max(w.left, 0))},
        {kTop, QString::number(std::max(w.top, 0))},
        {kWidth, QString::number(w.width)},
        {kHeight, QString::number(w.height)}};
    const std::pair<QLatin1StringView, QString> add[] = {
        {kDigitsKey, CheckStateText(settings.digits)},
        {kUpperKey, CheckStateText(settings.upper)},
        {kLowerKey, CheckStateText(settings.lower)},
        {kExtraKey, CheckStateText(settings.extra)},
        {kExtraTextKey, settings.extraText},
        {kExcludeKey, CheckStateText(settings.exclude)},
        {kExcludeTextKey, settings.excludeText},
        {kNoSimilarKey, CheckStateText(settings.noSimilar)},
        {kEachClassKey, CheckStateText(settings.eachClass)}};
    bool stored = true;
    for (const auto& [key, value] : position)
        stored = ini.setValue(kPosition, key, value) && stored;
    for (const auto& [key, value] : add)
        stored = ini.setValue(kAdd, key, value) && stored;
    // The keys added later are set only when they read otherwise now (absent included), so a
    // close that changed none of them adds nothing to a file written before they existed.
    constexpr qint32 kAnyScreen = std::numeric_limits<qint32>::max();
    const StoredSettings found = LoadStoredSettings(ini, kAnyScreen, kAnyScreen);
    if (found.unique != settings.unique)
        stored = ini.setValue(kAdd, kUniqueKey, CheckStateText(settings.unique)) && stored;
    const auto number = [](qint32 value) { return QString::number(value); };
    const std::tuple<QLatin1StringView, bool, QString> rules[] = {
        {kSymbolsKey, found.symbols == settings.symbols, settings.symbols},
        {kMinDigitsKey, found.minDigits == settings.minDigits, number(settings.minDigits)},
        {kMinUpperKey, found.minUpper == settings.minUpper, number(settings.minUpper)},
        {kMinLowerKey, found.minLower == settings.minLower, number(settings.minLower)},
        {kMinSymbolsKey, found.minSymbols == settings.minSymbols, number(settings.minSymbols)},
        {kMinExtraKey, found.minExtra == settings.minExtra, number(settings.minExtra)},
        {kMaxRunKey, found.maxRun == settings.maxRun, number(settings.maxRun)},
        {kFirstKey, found.first == settings.first, settings.first},
        {kPasswordRulesKey, found.passwordRules == settings.passwordRules, settings.passwordRules}};
    for (const auto& [key, same, value] : rules) {
        if (!same)
            stored = ini.setValue(kRules, key, value) && stored;
    }
    return stored;
}

bool HoldsAnySettingsKey(const IniDocument& ini) {
    namespace S = SettingsNames;
    for (QLatin1StringView key : {S::kLeft, S::kTop, S::kWidth, S::kHeight}) {
        if (ini.value(S::kPosition, key))
            return true;
    }
    for (QLatin1StringView key :
         {S::kDigitsKey, S::kUpperKey, S::kLowerKey, S::kExtraKey, S::kExtraTextKey, S::kExcludeKey,
          S::kExcludeTextKey, S::kNoSimilarKey, S::kEachClassKey, S::kUniqueKey}) {
        if (ini.value(S::kAdd, key))
            return true;
    }
    for (QLatin1StringView key :
         {S::kSymbolsKey, S::kMinDigitsKey, S::kMinUpperKey, S::kMinLowerKey, S::kMinSymbolsKey,
          S::kMinExtraKey, S::kMaxRunKey, S::kFirstKey, S::kPasswordRulesKey}) {
        if (ini.value(S::kRules, key))
            return true;
    }
    return false;
}
