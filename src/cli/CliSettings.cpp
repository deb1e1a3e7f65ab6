#include "CliOptions.h"

#include "CliText.h"
#include "FreeTextFilter.h"
#include "IniFile.h"
#include "SettingsRules.h"
#include "StoredRunRules.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <optional>

using namespace CliOptionNames;

namespace {

// The five character options, the policies and the rules as the window loads them from one
// reading of the file.
struct SettingsOptions {
    GenerationOptions generation;
    bool noSimilar = false;
    bool eachClass = false;
    bool unique = false;
    StoredRunRules rules;
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
    // The texts as the window's boxes show them: cut to their length, then nothing that cannot
    // stand in a password.
    options.extraText = FilterFreeText(CutToFreeTextLimit(stored.extraText), 0).text;
    options.exclude = stored.exclude;
    options.excludeText = FilterFreeText(CutToFreeTextLimit(stored.excludeText), 0).text;
    SettingsOptions read;
    read.generation = options;
    read.noSimilar = stored.noSimilar;
    read.eachClass = stored.eachClass;
    read.unique = stored.unique;
    read.rules = RunRulesFrom(stored);
    read.generation.symbols = read.rules.symbols;
    return read;
}

// Text holds no NUL and no control but tab, the line ends, form feed and the DOS end of file;
// UTF-16 holds NULs and is text all the same.
bool LooksLikeText(const QString& file, const IniDocument& ini) {
    if (ini.encoding() == IniEncoding::Utf16LE || ini.encoding() == IniEncoding::Utf16BE)
        return true;
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return true; // read once already; nothing more to tell
    const QByteArray head = in.read(64 * 1024);
    return std::none_of(head.cbegin(), head.cend(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r' && byte != '\f' &&
               byte != 0x1A;
    });
}

// A file named to keymill-cli that gives it nothing: the run goes on with the defaults, and the
// user learns that the file was not the one meant.
QString UnusedFileWarning(const QString& file, const IniDocument& ini) {
    if (HoldsAnySettingsKey(ini))
        return QString();
    if (!LooksLikeText(file, ini))
        return Cli::tr("warning: '%1' is not a text file; the default settings are used").arg(file);
    return Cli::tr("warning: '%1' holds no key of keymill.ini; the default settings are used")
        .arg(file);
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
            parsed.error = Cli::tr("%1: cannot read '%2'").arg(Dashed(kSettingsFile), file);
            parsed.exitCode = 2;
            return parsed;
        }
        stored = OptionsFromSettings(*ini);
        if (const QString warning = UnusedFileWarning(file, *ini); !warning.isEmpty())
            parsed.warnings << warning;
    } else if (request.characters == CharacterSource::WindowFile) {
        // A missing or unreadable file gives the window's defaults, as it does in the window.
        const QString file = windowSettingsFile();
        const std::optional<IniDocument> ini = ReadIniDocument(file);
        stored = OptionsFromSettings(ini.value_or(IniDocument()));
        if (const QString warning = ini ? UnusedFileWarning(file, *ini) : QString();
            !warning.isEmpty())
            parsed.warnings << warning;
    }
    if (stored) {
        if (!stored->rules.error.isEmpty()) {
            parsed.error =
                Cli::tr("%1: cannot read or meet '%2'")
                    .arg(request.characters == CharacterSource::SettingsFile ? Dashed(kSettingsFile)
                                                                             : Dashed(kSettings),
                         stored->rules.error);
            parsed.exitCode = 2;
            return parsed;
        }
        // -B, -y and -U add to the file's policies; they never turn one off. A minimum or a
        // run given on the command line takes the place of the file's.
        options.generation = stored->generation;
        options.noSimilar = options.noSimilar || stored->noSimilar;
        options.eachClass = options.eachClass || stored->eachClass;
        options.unique = options.unique || stored->unique;
        const StoredRunRules& rules = stored->rules;
        const std::pair<qint32*, qint32> fromFile[] = {
            {&options.minimums.digits, rules.minimums.digits},
            {&options.minimums.upper, rules.minimums.upper},
            {&options.minimums.lower, rules.minimums.lower},
            {&options.minimums.symbols, rules.minimums.symbols},
            {&options.minimums.extra, rules.minimums.extra},
            {&options.maxRun, rules.maxRun}};
        for (const auto& [value, file] : fromFile) {
            if (*value == 0)
                *value = file;
        }
        if (options.first == FirstCharacter::Any)
            options.first = rules.first;
        if (!options.siteRules)
            options.siteRules = rules.siteRules;
    }
    if (!request.lengthGiven) {
        if (!options.siteRules) {
            parsed.error = Cli::tr("%1 is required (1..%2)")
                               .arg(Dashed(kLength), QString::number(kMaxPasswordLength));
            parsed.exitCode = 2;
            return parsed;
        }
        options.length = options.siteRules->defaultLength();
    }
    parsed.options = options;
    return parsed;
}
