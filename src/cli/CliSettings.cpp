#include "CliOptions.h"

#include "CliText.h"
#include "FreeTextFilter.h"
#include "IniFile.h"
#include "SettingsRules.h"

#include <QFileInfo>
#include <limits>
#include <optional>

using namespace CliOptionNames;

namespace {

// The five character options and the two policies as the window loads them from one reading
// of the file.
struct SettingsOptions {
    GenerationOptions generation;
    bool noSimilar = false;
    bool eachClass = false;
};

SettingsOptions OptionsFromSettings(const IniDocument& ini) {
    // The window's place is not wanted here, so no screen limits it.
    constexpr qint32 kAnyScreen = std::numeric_limits<qint32>::max();
    const StoredSettings stored = LoadStoredSettings(ini, kAnyScreen, kAnyScreen);
    GenerationOptions options;
    options.digits = stored.digits;
    options.upper = stored.upper;
    options.lower = stored.lower;
    options.extra = stored.extra;
    // The texts as the window's boxes show them: nothing that cannot stand in a password.
    options.extraText = FilterFreeText(stored.extraText, 0).text;
    options.exclude = stored.exclude;
    options.excludeText = FilterFreeText(stored.excludeText, 0).text;
    return {options, stored.noSimilar, stored.eachClass};
}

} // namespace

ParsedCommandLine ReadRequestedSettings(const CliRequest& request,
                                        const std::function<QString()>& windowSettingsFile) {
    ParsedCommandLine parsed;
    CliOptions options = request.options;
    std::optional<SettingsOptions> stored;
    if (request.characters == CharacterSource::SettingsFile) {
        // Unlike the window's own file, a file named here must be there.
        const QString& file = request.settingsFile;
        const std::optional<IniDocument> ini =
            QFileInfo(file).isFile() ? ReadIniDocument(file) : std::nullopt;
        if (!ini) {
            parsed.error =
                Cli::tr("%1: cannot read '%2'").arg("--" + kSettingsFile.constLast(), file);
            parsed.exitCode = 2;
            return parsed;
        }
        stored = OptionsFromSettings(*ini);
    } else if (request.characters == CharacterSource::WindowFile) {
        // A missing or unreadable file gives the window's defaults, as it does in the window.
        stored = OptionsFromSettings(ReadIniDocument(windowSettingsFile()).value_or(IniDocument()));
    }
    if (stored) {
        // -B and -y add to the file's policies; they never turn one off.
        options.generation = stored->generation;
        options.noSimilar = options.noSimilar || stored->noSimilar;
        options.eachClass = options.eachClass || stored->eachClass;
    }
    parsed.options = options;
    return parsed;
}
