#include "CliOptions.h"

#include "CliText.h"
#include "FreeTextFilter.h"
#include "SettingsRules.h"
#include "mdlIniSet.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>
#include <limits>

using namespace CliOptionNames;

namespace {

QString Dashed(const QStringList& names) {
    return QStringLiteral("--") + names.last();
}

// A decimal number of ASCII digits (leading zeros allowed) from 1 to max; anything else,
// a sign or a blank included, is refused.
std::optional<qint32> NumberIn(const QString& text, qint32 max) {
    if (text.isEmpty() ||
        !std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    qint64 value = 0;
    for (QChar c : text) {
        value = value * 10 + (c.unicode() - u'0');
        if (value > max)
            return std::nullopt;
    }
    if (value < 1)
        return std::nullopt;
    return qint32(value);
}

ParsedCommandLine UsageError(const QString& text) {
    ParsedCommandLine parsed;
    parsed.error = text;
    parsed.exitCode = 2;
    return parsed;
}

// What the window's free-text boxes keep of a text: nothing that cannot stand in a password,
// such as a line break.
QString FreeText(const QString& text) {
    return FilterFreeText(text, 0).text;
}

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
    options.AddSuji = stored.suji;
    options.AddAlphabetBig = stored.alphabetBig;
    options.AddAlphabetMini = stored.alphabetMini;
    options.AddChr = stored.addChr;
    options.AddChrList = FreeText(stored.addChrList);
    options.DeleteChr = stored.deleteChr;
    options.DeleteChrList = FreeText(stored.deleteChrList);
    return {options, stored.noSimilar, stored.eachClass};
}

struct DefinedOptions {
    QCommandLineOption length{kLength, Cli::tr("Characters per password, 1..99999 (required)."),
                              QStringLiteral("N")};
    QCommandLineOption count{kCount, Cli::tr("Number of passwords, 1..2147483647 (default 1)."),
                             QStringLiteral("N")};
    QCommandLineOption digits{kDigits, Cli::tr("Use the digits 0-9.")};
    QCommandLineOption upper{kUpper, Cli::tr("Use the upper-case letters A-Z.")};
    QCommandLineOption lower{kLower, Cli::tr("Use the lower-case letters a-z.")};
    QCommandLineOption extra{kExtra,
                             Cli::tr("Add these characters; each occurrence is one more entry."),
                             QStringLiteral("TEXT")};
    QCommandLineOption exclude{kExclude, Cli::tr("Remove these characters."),
                               QStringLiteral("TEXT")};
    QCommandLineOption settings{kSettings, Cli::tr("Take the character options from the window's "
                                                   "keymill.ini.")};
    QCommandLineOption settingsFile{kSettingsFile,
                                    Cli::tr("Take the character options from this settings "
                                            "file."),
                                    QStringLiteral("FILE")};
    QCommandLineOption noSimilar{kNoSimilar,
                                 Cli::tr("Remove look-alike characters: 0 O o 1 l I | and their "
                                         "full-width forms.")};
    QCommandLineOption eachClass{kEachClass,
                                 Cli::tr("Every chosen class appears at least once in each "
                                         "password.")};
    QCommandLineOption entropy{kEntropy,
                               Cli::tr("Print the entropy of one password to standard error.")};
    QCommandLineOption output{kOutput,
                              Cli::tr("Write the passwords to this file (code page 932, CR LF), "
                                      "whole or not at all."),
                              QStringLiteral("FILE")};
    QCommandLineOption encoding{kEncoding, Cli::tr("Encoding of --output: cp932 or utf-8."),
                                QStringLiteral("ENCODING")};
};

std::optional<OutputEncoding> EncodingNamed(const QString& name) {
    const QString lower = name.toLower();
    if (lower == u"cp932")
        return OutputEncoding::Cp932;
    if (lower == u"utf-8" || lower == u"utf8")
        return OutputEncoding::Utf8;
    return std::nullopt;
}

} // namespace

ParsedCommandLine ParseCommandLine(const QStringList& arguments,
                                   const std::function<QString()>& windowSettingsFile) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Cli::tr("Makes random passwords with the generator of キーミル."));
    const DefinedOptions o;
    // Qt's own help option would bring --help-all, which lists Qt's options for programs with
    // windows; here it is a hidden second name of --help, so the help lists only what works.
    const QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")},
                                  Cli::tr("Show the options and exit.")};
    QCommandLineOption helpAll{QStringLiteral("help-all")};
    helpAll.setFlags(QCommandLineOption::HiddenFromHelp);
    parser.addOption(help);
    parser.addOption(helpAll);
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({o.length, o.count, o.digits, o.upper, o.lower, o.extra, o.exclude,
                       o.settings, o.settingsFile, o.noSimilar, o.eachClass, o.entropy, o.output,
                       o.encoding});

    if (!parser.parse(arguments))
        return UsageError(parser.errorText());
    if (parser.isSet(help) || parser.isSet(helpAll)) {
        ParsedCommandLine parsed;
        // The usage line names the program as it is installed, not by the path it was run from.
        parsed.output = parser.helpText();
        if (QCoreApplication::instance() && !QCoreApplication::arguments().isEmpty())
            parsed.output.replace(parsed.output.indexOf(QCoreApplication::arguments().constFirst()),
                                  QCoreApplication::arguments().constFirst().size(),
                                  QStringLiteral("keymill-cli"));
        return parsed;
    }
    if (parser.isSet(version)) {
        ParsedCommandLine parsed;
        parsed.output = QStringLiteral("keymill-cli %1\n").arg(QStringLiteral(KEYMILL_VERSION));
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty())
        return UsageError(Cli::tr("unexpected argument '%1'").arg(parser.positionalArguments()[0]));

    CliOptions options;
    if (!parser.isSet(o.length))
        return UsageError(Cli::tr("%1 is required (1..99999)").arg(Dashed(kLength)));
    const auto length = NumberIn(parser.value(o.length), kMaxPasswordLength);
    if (!length)
        return UsageError(Cli::tr("%1 must be 1..99999").arg(Dashed(kLength)));
    options.length = *length;
    if (parser.isSet(o.count)) {
        const auto count = NumberIn(parser.value(o.count), kMaxCount);
        if (!count)
            return UsageError(Cli::tr("%1 must be 1..2147483647").arg(Dashed(kCount)));
        options.count = *count;
    }

    const bool fromSettings = parser.isSet(o.settings) || parser.isSet(o.settingsFile);
    const bool characterOption = parser.isSet(o.digits) || parser.isSet(o.upper) ||
                                 parser.isSet(o.lower) || parser.isSet(o.extra) ||
                                 parser.isSet(o.exclude);
    if (parser.isSet(o.settings) && parser.isSet(o.settingsFile))
        return UsageError(Cli::tr("%1 and %2 cannot be used together")
                              .arg(Dashed(kSettings), Dashed(kSettingsFile)));
    if (fromSettings && characterOption)
        return UsageError(
            Cli::tr("%1 cannot be combined with --digits, --upper, --lower, --extra or --exclude")
                .arg(Dashed(parser.isSet(o.settings) ? kSettings : kSettingsFile)));

    if (parser.isSet(o.settingsFile)) {
        const QString file = parser.value(o.settingsFile);
        // Unlike the window's own file, a file named here must be there.
        const std::optional<IniDocument> ini =
            QFileInfo(file).isFile() ? ReadIniDocument(file) : std::nullopt;
        if (!ini)
            return UsageError(Cli::tr("%1: cannot read '%2'").arg(Dashed(kSettingsFile), file));
        const SettingsOptions stored = OptionsFromSettings(*ini);
        options.generation = stored.generation;
        options.noSimilar = stored.noSimilar;
        options.eachClass = stored.eachClass;
    } else if (parser.isSet(o.settings)) {
        // A missing or unreadable file gives the window's defaults, as it does in the window.
        const SettingsOptions stored =
            OptionsFromSettings(ReadIniDocument(windowSettingsFile()).value_or(IniDocument()));
        options.generation = stored.generation;
        options.noSimilar = stored.noSimilar;
        options.eachClass = stored.eachClass;
    } else {
        GenerationOptions& g = options.generation;
        g.AddSuji = parser.isSet(o.digits);
        g.AddAlphabetBig = parser.isSet(o.upper);
        g.AddAlphabetMini = parser.isSet(o.lower);
        g.AddChr = parser.isSet(o.extra);
        g.AddChrList = FreeText(parser.value(o.extra));
        g.DeleteChr = parser.isSet(o.exclude);
        g.DeleteChrList = FreeText(parser.value(o.exclude));
        if (!g.AddSuji && !g.AddAlphabetBig && !g.AddAlphabetMini && !g.AddChr)
            g.AddSuji = g.AddAlphabetBig = g.AddAlphabetMini = true;
    }

    // The settings' policies hold unless the command line adds one.
    options.noSimilar = options.noSimilar || parser.isSet(o.noSimilar);
    options.eachClass = options.eachClass || parser.isSet(o.eachClass);
    options.printEntropy = parser.isSet(o.entropy);
    options.outputFile = parser.value(o.output);
    if (parser.isSet(o.output) && options.outputFile.isEmpty())
        return UsageError(Cli::tr("%1 needs a file name").arg(Dashed(kOutput)));
    if (parser.isSet(o.encoding)) {
        if (!parser.isSet(o.output))
            return UsageError(
                Cli::tr("%1 applies only to %2").arg(Dashed(kEncoding), Dashed(kOutput)));
        const auto encoding = EncodingNamed(parser.value(o.encoding));
        if (!encoding)
            return UsageError(Cli::tr("%1 must be cp932 or utf-8").arg(Dashed(kEncoding)));
        options.encoding = *encoding;
    }

    ParsedCommandLine parsed;
    parsed.options = options;
    return parsed;
}
