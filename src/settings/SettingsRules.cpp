#include "SettingsRules.h"

#include "mdlIniSet.h"

#include <algorithm>
#include <limits>

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
    settings.suji = ClassBoxCheckedFrom(read(kSuji));
    settings.alphabetBig = ClassBoxCheckedFrom(read(kAlhabetBig));
    settings.alphabetMini = ClassBoxCheckedFrom(read(kAlphabetMini));
    settings.addChr = FreeTextBoxCheckedFrom(read(kAddChr));
    settings.addChrList = read(kAddChrList);
    settings.deleteChr = FreeTextBoxCheckedFrom(read(kDeleteChr));
    settings.deleteChrList = read(kDeleteChrList);
    settings.noSimilar = FreeTextBoxCheckedFrom(read(kNoSimilar));
    settings.eachClass = FreeTextBoxCheckedFrom(read(kEachClass));
    settings.unique = FreeTextBoxCheckedFrom(read(kUnique));
    const auto rule = [&](QLatin1StringView key) {
        return ini.value(kRules, key).value_or(QString());
    };
    settings.symbols = rule(kSymbols);
    settings.minDigits = GeometryValueOr(rule(kMinDigits), 0);
    settings.minUpper = GeometryValueOr(rule(kMinUpper), 0);
    settings.minLower = GeometryValueOr(rule(kMinLower), 0);
    settings.minSymbols = GeometryValueOr(rule(kMinSymbols), 0);
    settings.minExtra = GeometryValueOr(rule(kMinExtra), 0);
    settings.maxRun = GeometryValueOr(rule(kMaxRun), 0);
    settings.first = rule(kFirst);
    settings.passwordRules = rule(kPasswordRules);
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
        {kSuji, CheckStateText(settings.suji)},
        {kAlhabetBig, CheckStateText(settings.alphabetBig)},
        {kAlphabetMini, CheckStateText(settings.alphabetMini)},
        {kAddChr, CheckStateText(settings.addChr)},
        {kAddChrList, settings.addChrList},
        {kDeleteChr, CheckStateText(settings.deleteChr)},
        {kDeleteChrList, settings.deleteChrList},
        {kNoSimilar, CheckStateText(settings.noSimilar)},
        {kEachClass, CheckStateText(settings.eachClass)}};
    bool stored = true;
    for (const auto& [key, value] : position)
        stored = ini.setValue(kPosition, key, value) && stored;
    for (const auto& [key, value] : add)
        stored = ini.setValue(kAdd, key, value) && stored;
    return stored;
}
