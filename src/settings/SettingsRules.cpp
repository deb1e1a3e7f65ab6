#include "SettingsRules.h"

#include "mdlIniSet.h"

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
    using namespace SettingsNames;
    const auto read = [&](QLatin1StringView key, qint32 fallback) {
        return GeometryValueOr(ReadIniValue(kPosition, key, file), fallback);
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
