#include "SettingsRules.h"

#include "IniFile.h"

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
    settings.digits = ClassBoxCheckedFrom(read(kDigitsKey));
    settings.upper = ClassBoxCheckedFrom(read(kUpperKey));
    settings.lower = ClassBoxCheckedFrom(read(kLowerKey));
    settings.extra = FreeTextBoxCheckedFrom(read(kExtraKey));
    settings.extraText = read(kExtraTextKey);
    settings.exclude = FreeTextBoxCheckedFrom(read(kExcludeKey));
    settings.excludeText = read(kExcludeTextKey);
    settings.noSimilar = FreeTextBoxCheckedFrom(read(kNoSimilarKey));
    settings.eachClass = FreeTextBoxCheckedFrom(read(kEachClassKey));
    return settings;
}

bool StoreSettings(IniDocument& ini, const StoredSettings& settings) {
    using namespace SettingsNames;
    const WindowTwips& w = settings.window;
    const std::pair<QLatin1StringView, QString> position[] = {{kLeft, QString::number(w.left)},
                                                              {kTop, QString::number(w.top)},
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
    return stored;
}
