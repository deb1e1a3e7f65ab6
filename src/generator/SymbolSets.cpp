#include "SymbolSets.h"

#include <algorithm>

namespace {
struct Preset {
    SymbolSet set;
    const char* name;
    const char* characters;
};

// The keys were read from xkb's jp106 and us layouts: these 12 symbols are the same character
// at the same key and level on both; every other symbol moves (" on Shift+2 of JIS is @ on US,
// and so on). jis-us is made of them.
constexpr struct {
    const char* caps;
    const char* plain;
    const char* shifted;
} kSharedKeys[] = {
    {"1 3 4 5", "", "!#$%"},
    {"-", "-", ""},
    {";", ";", ""},
    {", . /", ",./", "<>?"},
};

constexpr Preset kPresets[] = {
    {SymbolSet::JisUs, "jis-us", nullptr},
    {SymbolSet::Ascii, "ascii", "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
    {SymbolSet::Url, "url", "-._~"},
    {SymbolSet::Shell, "shell", "%+,-./:=@_"},
};
} // namespace

QString SymbolCharacters(SymbolSet set) {
    if (set == SymbolSet::JisUs) {
        static const QString characters = [] {
            QString text;
            for (const auto& keys : kSharedKeys)
                text += QLatin1StringView(keys.plain) + QLatin1StringView(keys.shifted);
            std::sort(text.begin(), text.end());
            return text;
        }();
        return characters;
    }
    for (const Preset& preset : kPresets) {
        if (preset.set == set)
            return QString::fromLatin1(preset.characters);
    }
    return QString();
}

QString SymbolSetName(SymbolSet set) {
    for (const Preset& preset : kPresets) {
        if (preset.set == set)
            return QString::fromLatin1(preset.name);
    }
    return QString();
}

std::optional<SymbolSet> SymbolSetNamed(const QString& name) {
    if (name.isEmpty())
        return SymbolSet::None;
    for (const Preset& preset : kPresets) {
        if (name == QLatin1StringView(preset.name))
            return preset.set;
    }
    return std::nullopt;
}

QStringList SymbolSetNames() {
    QStringList names;
    for (const Preset& preset : kPresets)
        names << QString::fromLatin1(preset.name);
    return names;
}

QList<SharedSymbolKeys> JisUsSymbolKeys() {
    QList<SharedSymbolKeys> rows;
    for (const auto& keys : kSharedKeys)
        rows.append({QString::fromLatin1(keys.caps), QString::fromLatin1(keys.plain),
                     QString::fromLatin1(keys.shifted)});
    return rows;
}
