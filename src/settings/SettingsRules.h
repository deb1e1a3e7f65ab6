#pragma once

#include "IniDocument.h"

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
inline constexpr QLatin1StringView kDigitsKey{"Suji"};
inline constexpr QLatin1StringView kUpperKey{"AlhabetBig"};
inline constexpr QLatin1StringView kLowerKey{"AlphabetMini"};
inline constexpr QLatin1StringView kExtraKey{"AddChr"};
inline constexpr QLatin1StringView kExtraTextKey{"AddChrList"};
inline constexpr QLatin1StringView kExcludeKey{"DeleteChr"};
inline constexpr QLatin1StringView kExcludeTextKey{"DeleteChrList"};
// The window's two policies, stored beside the character keys.
inline constexpr QLatin1StringView kNoSimilarKey{"NoSimilar"};
inline constexpr QLatin1StringView kEachClassKey{"EachClass"};
inline constexpr QLatin1StringView kUniqueKey{"Unique"};

// The rules of real sites: the symbols preset, minimums per class, the longest run, the first
// character and a site's passwordrules text, as typed.
inline constexpr QLatin1StringView kRules{"Rules"};
inline constexpr QLatin1StringView kSymbolsKey{"Symbols"};
inline constexpr QLatin1StringView kMinDigitsKey{"MinDigits"};
inline constexpr QLatin1StringView kMinUpperKey{"MinUpper"};
inline constexpr QLatin1StringView kMinLowerKey{"MinLower"};
inline constexpr QLatin1StringView kMinSymbolsKey{"MinSymbols"};
inline constexpr QLatin1StringView kMinExtraKey{"MinExtra"};
inline constexpr QLatin1StringView kMaxRunKey{"MaxRun"};
inline constexpr QLatin1StringView kFirstKey{"First"};
inline constexpr QLatin1StringView kPasswordRulesKey{"PasswordRules"};
} // namespace SettingsNames

// Whether the file holds any key the program reads, in its section.
bool HoldsAnySettingsKey(const IniDocument& ini);

// The window's outer rectangle in twips (15 twips a pixel).
struct WindowTwips {
    qint32 left;
    qint32 top;
    qint32 width;
    qint32 height;
    bool operator==(const WindowTwips&) const = default;
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
WindowTwips ReadWindowTwips(const IniDocument& ini, qint32 screenWidthTwips,
                            qint32 screenHeightTwips);

// "Suji", "AlhabetBig", "AlphabetMini": checked unless the value is exactly "0".
bool ClassBoxCheckedFrom(const QString& text);
// "AddChr", "DeleteChr", "NoSimilar", "EachClass": checked only if the value is exactly "1".
bool FreeTextBoxCheckedFrom(const QString& text);
// A check box's state as stored: "1" or "0".
QString CheckStateText(bool checked);

// Everything keymill.ini keeps, as the window shows it.
struct StoredSettings {
    WindowTwips window = kDefaultWindowTwips;
    bool digits = true;
    bool upper = true;
    bool lower = true;
    bool extra = false;
    QString extraText;
    bool exclude = false;
    QString excludeText;
    bool noSimilar = false;
    bool eachClass = false;
    bool unique = false; // [Add] Unique: checked only if exactly "1"
    // [Rules], as stored: the names and the text are read by the generator's own parsers; a
    // number that is not one (see GeometryValueOr) is 0, no rule.
    QString symbols;
    qint32 minDigits = 0;
    qint32 minUpper = 0;
    qint32 minLower = 0;
    qint32 minSymbols = 0;
    qint32 minExtra = 0;
    qint32 maxRun = 0;
    QString first;
    QString passwordRules;
    bool operator==(const StoredSettings&) const = default;
};

// All keys of one reading of the file, checked by the rules above; a file written before the
// two policies existed loads them unchecked.
StoredSettings LoadStoredSettings(const IniDocument& ini, qint32 screenWidthTwips,
                                  qint32 screenHeightTwips);

// Sets all keys in the file's order, the two policies last; a negative left or top is stored
// as 0, the place the reader gives it. [Add] Unique and the [Rules] keys are set only where the
// file reads otherwise (an absent key reads as the default). A key that already reads as the value
// to store keeps its bytes, so a text the user did not change is written back exactly as it was
// found. False when some value could not be stored (see IniDocument::setValue).
bool StoreSettings(IniDocument& ini, const StoredSettings& settings);
