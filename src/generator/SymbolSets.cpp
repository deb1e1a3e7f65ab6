#include "SymbolSets.h"

namespace {
struct Preset {
    SymbolSet set;
    const char* name;
    const char* characters;
};

// The keys of the JIS row were read from xkb's jp106 and us layouts: these 12 are the same
// character at the same key and level on both; every other symbol moves (" on Shift+2 of JIS
// is @ on US, and so on).
constexpr Preset kPresets[] = {
    {SymbolSet::JisUs, "jis-us", "!#$%,-./;<>?"},
    {SymbolSet::Ascii, "ascii", "!\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~"},
    {SymbolSet::Url, "url", "-._~"},
    {SymbolSet::Shell, "shell", "%+,-./:=@_"},
};
} // namespace

QString SymbolCharacters(SymbolSet set) {
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
