#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QtGlobal>

// keymill.ini: its section and key names (spelled as the file has always spelled them,
// "AlhabetBig" included), the defaults, and how LoadSettings reads each value.
namespace SettingsNames {
inline constexpr QLatin1StringView kFileName{"keymill.ini"};

inline constexpr QLatin1StringView kPosition{"Position"};
inline constexpr QLatin1StringView kLeft{"Left"};
inline constexpr QLatin1StringView kTop{"Top"};
inline constexpr QLatin1StringView kWidth{"Width"};
inline constexpr QLatin1StringView kHeight{"Height"};

inline constexpr QLatin1StringView kAdd{"Add"};
inline constexpr QLatin1StringView kSuji{"Suji"};
inline constexpr QLatin1StringView kAlhabetBig{"AlhabetBig"};
inline constexpr QLatin1StringView kAlphabetMini{"AlphabetMini"};
inline constexpr QLatin1StringView kAddChr{"AddChr"};
inline constexpr QLatin1StringView kAddChrList{"AddChrList"};
inline constexpr QLatin1StringView kDeleteChr{"DeleteChr"};
inline constexpr QLatin1StringView kDeleteChrList{"DeleteChrList"};
} // namespace SettingsNames

// The window's outer rectangle in twips (15 twips a pixel).
struct WindowTwips {
    qint32 left;
    qint32 top;
    qint32 width;
    qint32 height;
};

inline constexpr WindowTwips kDefaultWindowTwips{0, 0, 8895, 5580};

// `text` as a number if it is made of ASCII digits only and fits a signed 32-bit integer;
// otherwise (empty, a sign, a blank, a full-width digit, too large) `fallback`.
qint32 GeometryValueOr(const QString& text, qint32 fallback);

// Width and height larger than the screen become the screen's; left and top are kept, so a
// window stored beyond the edge of a smaller screen opens there.
WindowTwips ClampToScreen(WindowTwips window, qint32 screenWidthTwips, qint32 screenHeightTwips);

// Reads the four "Position" keys of `file` and applies the two rules above.
WindowTwips ReadWindowTwips(const QString& file, qint32 screenWidthTwips, qint32 screenHeightTwips);

// "Suji", "AlhabetBig", "AlphabetMini": checked unless the value is exactly "0".
bool ClassBoxCheckedFrom(const QString& text);
// "AddChr", "DeleteChr": checked only if the value is exactly "1".
bool FreeTextBoxCheckedFrom(const QString& text);
// A check box's state as stored: "1" or "0".
QString CheckStateText(bool checked);
