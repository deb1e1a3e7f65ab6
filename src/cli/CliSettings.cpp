#include "CliOptions.h"

#include "CliText.h"
#include "FreeTextFilter.h"
#include "SettingsRules.h"
#include "mdlIniSet.h"

#include <QFileInfo>
#include <algorithm>
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
    bool unique = false;
    ClassMinimums minimums;
    qint32 maxRun = 0;
    FirstCharacter first = FirstCharacter::Any;
    std::optional<SiteRules> siteRules;
    QString error; // a [Rules] value that names nothing, as "[Rules] First=x"
};

QString KeyText(QLatin1StringView key, const QString& value) {
    return QStringLiteral("[%1] %2=%3").arg(SettingsNames::kRules, key, value);
}

SettingsOptions OptionsFromSettings(const IniDocument& ini) {
    // The window's place is not wanted here, so no screen limits it.
    constexpr qint32 kAnyScreen = std::numeric_limits<qint32>::max();
    const StoredSettings stored = LoadStoredSettings(ini, kAnyScreen, kAnyScreen);
    GenerationOptions options;
    options.digits = stored.suji;
    options.upper = stored.alphabetBig;
    options.lower = stored.alphabetMini;
    options.extra = stored.addChr;
    // The texts as the window's boxes show them: nothing that cannot stand in a password.
    options.extraText = FilterFreeText(stored.addChrList, 0).text;
    options.exclude = stored.deleteChr;
    options.excludeText = FilterFreeText(stored.deleteChrList, 0).text;
    SettingsOptions read;
    read.generation = options;
    read.noSimilar = stored.noSimilar;
    read.eachClass = stored.eachClass;
    read.unique = stored.unique;
    namespace Keys = SettingsNames;
    if (const auto set = SymbolSetNamed(stored.symbols))
        read.generation.symbols = *set;
    else
        read.error = KeyText(Keys::kSymbols, stored.symbols);
    read.minimums = {stored.minDigits, stored.minUpper, stored.minLower, stored.minSymbols,
                     stored.minExtra};
    read.maxRun = stored.maxRun;
    if (const auto first = FirstCharacterNamed(stored.first))
        read.first = *first;
    else
        read.error = KeyText(Keys::kFirst, stored.first);
    if (!stored.passwordRules.trimmed().isEmpty()) {
        const SiteRulesParse site = ParseSiteRules(stored.passwordRules);
        if (site.rules)
            read.siteRules = site.rules;
        else
            read.error = KeyText(Keys::kPasswordRules, site.badPart);
    }
    return read;
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
        if (!stored->error.isEmpty()) {
            parsed.error = Cli::tr("%1: cannot read or meet '%2'")
                               .arg(request.characters == CharacterSource::SettingsFile
                                        ? "--" + kSettingsFile.constLast()
                                        : "--" + kSettings.constLast(),
                                    stored->error);
            parsed.exitCode = 2;
            return parsed;
        }
        // -B, -y and -U add to the file's policies; they never turn one off. A minimum or a
        // run given on the command line takes the place of the file's.
        options.generation = stored->generation;
        options.noSimilar = options.noSimilar || stored->noSimilar;
        options.eachClass = options.eachClass || stored->eachClass;
        options.unique = options.unique || stored->unique;
        const std::pair<qint32*, qint32> fromFile[] = {
            {&options.minimums.digits, stored->minimums.digits},
            {&options.minimums.upper, stored->minimums.upper},
            {&options.minimums.lower, stored->minimums.lower},
            {&options.minimums.symbols, stored->minimums.symbols},
            {&options.minimums.extra, stored->minimums.extra},
            {&options.maxRun, stored->maxRun}};
        for (const auto& [value, file] : fromFile) {
            if (*value == 0)
                *value = std::min(file, kMaxPasswordLength);
        }
        if (options.first == FirstCharacter::Any)
            options.first = stored->first;
        if (!options.siteRules)
            options.siteRules = stored->siteRules;
    }
    if (!request.lengthGiven) {
        if (!options.siteRules) {
            parsed.error =
                Cli::tr("%1 is required (1..%2)")
                    .arg("--" + kLength.constLast(), QString::number(kMaxPasswordLength));
            parsed.exitCode = 2;
            return parsed;
        }
        options.length = options.siteRules->defaultLength();
    }
    parsed.options = options;
    return parsed;
}
