#include "CliOptions.h"

#include "CliText.h"
#include "CodePointName.h"
#include "FreeTextFilter.h"
#include "SlipLayout.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>

using namespace CliOptionNames;

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

namespace {

// The same from 0 to max.
std::optional<qint32> CountIn(const QString& text, qint32 max) {
    if (!text.isEmpty() &&
        std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u'0'; }))
        return 0;
    return NumberIn(text, max);
}

ParsedArguments UsageError(const QString& text) {
    ParsedArguments parsed;
    parsed.error = text;
    parsed.exitCode = 2;
    return parsed;
}

ParsedArguments Printed(const QString& text) {
    ParsedArguments parsed;
    parsed.output = text;
    return parsed;
}

// What the window's free-text boxes keep of a text: nothing that cannot stand in a password,
// such as a line break. What went is named in `dropped`, after the option's name.
QString FreeText(const QString& text, const QStringList& option, QStringList& dropped) {
    FilteredFreeText filtered = FilterFreeText(text, 0);
    if (!filtered.dropped.isEmpty()) {
        QStringList names;
        for (char32_t c : filtered.dropped) {
            const QString name = CodePointName(QString::fromUcs4(&c, 1));
            if (!names.contains(name))
                names << name;
        }
        dropped << Dashed(option) + u' ' + names.join(QStringLiteral(", "));
    }
    return std::move(filtered.text);
}

struct DefinedOptions {
    QCommandLineOption length{
        kLength, Cli::tr("Characters per password, 1..%1 (required).").arg(kMaxPasswordLength),
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
    QCommandLineOption symbols{
        kSymbols,
        Cli::tr("Use the symbols of SET: jis-us (the 12 that type the same on "
                "JIS and US keyboards), ascii (all 32), url (- . _ ~) or "
                "shell (% + , - . / : = @ _)."),
        QStringLiteral("SET")};
    QCommandLineOption minDigits{kMinDigits, Cli::tr("At least N digits in each password."),
                                 QStringLiteral("N")};
    QCommandLineOption minUpper{kMinUpper, Cli::tr("At least N upper-case letters."),
                                QStringLiteral("N")};
    QCommandLineOption minLower{kMinLower, Cli::tr("At least N lower-case letters."),
                                QStringLiteral("N")};
    QCommandLineOption minSymbols{kMinSymbols, Cli::tr("At least N symbols of --symbols."),
                                  QStringLiteral("N")};
    QCommandLineOption minExtra{kMinExtra, Cli::tr("At least N characters of --extra."),
                                QStringLiteral("N")};
    QCommandLineOption maxRun{kMaxRun, Cli::tr("No character more than N times in a row."),
                              QStringLiteral("N")};
    QCommandLineOption first{kFirst,
                             Cli::tr("What the first character may be: letter (A-Z a-z) or alnum "
                                     "(letters and 0-9)."),
                             QStringLiteral("KIND")};
    QCommandLineOption rules{kRules,
                             Cli::tr("A site's password rules in the passwordrules language, such "
                                     "as 'minlength: 8; required: upper; allowed: lower'; they "
                                     "give the characters and, without --length, the length."),
                             QStringLiteral("TEXT")};
    QCommandLineOption unique{kUnique, Cli::tr("No password twice in the list.")};
    QCommandLineOption settings{kSettings, Cli::tr("Take the character options from the window's "
                                                   "keymill.ini.")};
    QCommandLineOption settingsFile{kSettingsFile,
                                    Cli::tr("Take the character options from this settings "
                                            "file."),
                                    QStringLiteral("FILE")};
    QCommandLineOption noSimilar{kNoSimilar,
                                 Cli::tr("Remove look-alike characters: 0 O o 1 l I | in every "
                                         "form, 〇 ○ ◯, vertical bars, and katakana and kanji "
                                         "such as ロ 口 and ー 一 (see the manual).")};
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
    // Hand-out slips.
    QCommandLineOption slips{kSlips,
                             Cli::tr("Also write the passwords as hand-out slips to this PDF "
                                     "file (A4, one slip per password)."),
                             QStringLiteral("FILE")};
    QCommandLineOption slipTitle{kSlipTitle, Cli::tr("Title of the slips."),
                                 QStringLiteral("TEXT")};
    QCommandLineOption slipNote{kSlipNote, Cli::tr("Note at the foot of each slip."),
                                QStringLiteral("TEXT")};
    QCommandLineOption slipsPerPage{kSlipsPerPage,
                                    Cli::tr("Slips per page: 8, 10 or 12 "
                                            "(default 10)."),
                                    QStringLiteral("N")};
    QCommandLineOption slipGroup{kSlipGroup,
                                 Cli::tr("Show the password on slips in groups of four.")};
    QCommandLineOption slipKinds{kSlipKinds,
                                 Cli::tr("Name each character's kind under it on slips.")};
    HandoutOptionDefinitions handout;
    QCommandLineOption help{kHelp, Cli::tr("Show the options and exit.")};
    QCommandLineOption version{kVersion, Cli::tr("Show the version and exit.")};
    // Qt's own help option would bring --help-all, which lists Qt's options for programs with
    // windows; here it is a hidden second name of --help, so the help lists only what works.
    QCommandLineOption helpAll = [] {
        QCommandLineOption option{QStringLiteral("help-all")};
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        return option;
    }();

    QList<QCommandLineOption> all() const {
        return QList<QCommandLineOption>{
                   help,         helpAll,   version,   length,    count,     digits,
                   upper,        lower,     extra,     exclude,   symbols,   settings,
                   settingsFile, noSimilar, eachClass, minDigits, minUpper,  minLower,
                   minSymbols,   minExtra,  maxRun,    first,     rules,     unique,
                   entropy,      output,    encoding,  slips,     slipTitle, slipNote,
                   slipsPerPage, slipGroup, slipKinds} +
               handout.all();
    }
};

// The hand-out slip options into `options`; the one-line refusal otherwise.
std::optional<QString> ReadSlipOptions(const QCommandLineParser& parser, const DefinedOptions& o,
                                       CliOptions& options) {
    const bool asked = parser.isSet(o.slips);
    for (const QCommandLineOption* option :
         {&o.slipTitle, &o.slipNote, &o.slipsPerPage, &o.slipGroup, &o.slipKinds}) {
        if (parser.isSet(*option) && !asked)
            return Cli::tr("%1 applies only to %2").arg(Dashed(option->names()), Dashed(kSlips));
    }
    if (!asked)
        return std::nullopt;
    options.slipsFile = parser.value(o.slips);
    if (options.slipsFile.isEmpty())
        return Cli::tr("%1 needs a file name").arg(Dashed(kSlips));
    if (options.count > kMaxSlips)
        return Cli::tr("%1 takes at most %2 passwords").arg(Dashed(kSlips)).arg(kMaxSlips);
    SlipSettings& slips = options.slips;
    if (parser.isSet(o.slipTitle))
        slips.title = parser.value(o.slipTitle);
    if (parser.isSet(o.slipNote))
        slips.note = parser.value(o.slipNote);
    if (parser.isSet(o.slipsPerPage)) {
        const auto perPage = NumberIn(parser.value(o.slipsPerPage), 12);
        if (!perPage || !IsSlipsPerPage(*perPage))
            return Cli::tr("%1 must be 8, 10 or 12").arg(Dashed(kSlipsPerPage));
        slips.slipsPerPage = *perPage;
    }
    slips.groupsOfFour = parser.isSet(o.slipGroup);
    slips.kinds = parser.isSet(o.slipKinds);
    return std::nullopt;
}

std::optional<FileEncoding> EncodingNamed(const QString& name) {
    const QString lower = name.toLower();
    if (lower == u"cp932")
        return FileEncoding::Cp932;
    if (lower == u"utf-8" || lower == u"utf8")
        return FileEncoding::Utf8;
    return std::nullopt;
}

const QCommandLineOption* OptionNamed(const QList<QCommandLineOption>& options, QStringView name) {
    for (const QCommandLineOption& option : options) {
        if (option.names().contains(name))
            return &option;
    }
    return nullptr;
}

QString Dashed(QStringView name) {
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name.toString();
}

// Why Qt's parser refused the arguments, in the program's own words: Qt's text ("Missing value
// after '-l'.") is neither in the program's form nor translated with it.
QString ParserError(const QCommandLineParser& parser, const QStringList& arguments,
                    const QList<QCommandLineOption>& options) {
    if (!parser.unknownOptionNames().isEmpty())
        return Cli::tr("unknown option '%1'").arg(Dashed(parser.unknownOptionNames().constFirst()));
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments[i];
        if (argument == u"--" || !argument.startsWith(u'-') || argument.size() < 2)
            continue;
        const bool isLast = i + 1 == arguments.size();
        if (argument.startsWith(u"--")) {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
            const QCommandLineOption* option = OptionNamed(options, name);
            if (!option)
                continue;
            const bool takesValue = !option->valueName().isEmpty();
            if (!takesValue && equals >= 0)
                return Cli::tr("unexpected value after '%1'").arg(argument.left(equals));
            if (takesValue && equals < 0 && isLast)
                return Cli::tr("missing value after '%1'").arg(argument);
            if (takesValue && equals < 0)
                ++i; // the next argument is the value, whatever it looks like
            continue;
        }
        // Short options may stand together (-dw); one that takes a value takes the rest, or the
        // next argument.
        for (qsizetype at = 1; at < argument.size(); ++at) {
            const QCommandLineOption* option = OptionNamed(options, argument.mid(at, 1));
            if (!option || option->valueName().isEmpty())
                continue;
            if (at + 1 == argument.size()) {
                if (isLast)
                    return Cli::tr("missing value after '%1'").arg(u'-' + argument.mid(at, 1));
                ++i;
            }
            break;
        }
    }
    return parser.errorText(); // a case the scan above does not know
}

// The help text, its usage line naming the program as it is installed, not by the path it was
// run from (Qt's usage line names the application's first argument).
QString HelpText(const QCommandLineParser& parser) {
    QString text = parser.helpText();
    if (QCoreApplication::instance() && !QCoreApplication::arguments().isEmpty()) {
        const QString path = QCoreApplication::arguments().constFirst();
        text.replace(text.indexOf(path), path.size(), QStringLiteral("keymill-cli"));
    }
    return text;
}

// The option whose value `arguments[index]` is, or which it is: "--extra" for "-a" "\xff",
// "-da\xff" or "--extra=\xff"; empty for an argument that belongs to no option.
QString OptionOfArgument(const QStringList& arguments, qsizetype index,
                         const QList<QCommandLineOption>& options) {
    const auto takesValue = [&](QStringView name) {
        const QCommandLineOption* option = OptionNamed(options, name);
        return option && !option->valueName().isEmpty();
    };
    const auto longName = [&](QStringView name) {
        const QCommandLineOption* option = OptionNamed(options, name);
        return option ? Dashed(option->names().constLast()) : Dashed(name);
    };
    // In a group of short options (-da), the first that takes a value takes the rest.
    const auto valueTaker = [&](QStringView group) -> qsizetype {
        for (qsizetype at = 1; at < group.size(); ++at) {
            if (takesValue(group.mid(at, 1)))
                return at;
        }
        return -1;
    };
    const QStringView argument = arguments[index];
    if (argument.startsWith(u"--") && argument.size() > 2)
        return longName(argument.mid(2).split(u'=').front());
    if (argument.startsWith(u'-') && argument.size() > 1) {
        const qsizetype at = valueTaker(argument);
        return longName(argument.mid(at > 0 ? at : 1, 1));
    }
    if (index > 1) {
        const QStringView before = arguments[index - 1];
        if (before.startsWith(u"--") && !before.contains(u'=') && takesValue(before.mid(2)))
            return longName(before.mid(2));
        if (before.startsWith(u'-') && !before.startsWith(u"--") &&
            valueTaker(before) == before.size() - 1)
            return longName(before.right(1));
    }
    return QString();
}

} // namespace

bool AsksForSlips(const QByteArrayList& arguments) {
    const QByteArray name = "--" + kSlips.constFirst().toLatin1();
    return std::any_of(arguments.cbegin(), arguments.cend(), [&](const QByteArray& argument) {
        return argument == name || argument.startsWith(name + '=');
    });
}

DecodedArguments DecodeArguments(const QByteArrayList& arguments) {
    DecodedArguments decoded;
    qsizetype invalid = -1;
    for (const QByteArray& argument : arguments) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        decoded.arguments << utf8.decode(argument);
        if (utf8.hasError() && invalid < 0)
            invalid = decoded.arguments.size() - 1;
    }
    if (invalid < 0)
        return decoded;
    const DefinedOptions o;
    const QString option = OptionOfArgument(decoded.arguments, invalid, o.all());
    decoded.error = option.isEmpty() ? Cli::tr("argument %1 is not valid UTF-8").arg(invalid)
                                     : Cli::tr("%1: the value is not valid UTF-8").arg(option);
    return decoded;
}

ParsedArguments ParseArguments(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(
        Cli::tr("Makes random passwords with the generator of キーミル."));
    const DefinedOptions o;
    parser.addOptions(o.all());

    if (!parser.parse(arguments))
        return UsageError(ParserError(parser, arguments, o.all()));
    if (parser.isSet(o.help) || parser.isSet(o.helpAll))
        return Printed(HelpText(parser));
    if (parser.isSet(o.version))
        return Printed(QStringLiteral("keymill-cli %1\n").arg(QStringLiteral(KEYMILL_VERSION)));
    if (!parser.positionalArguments().isEmpty())
        return UsageError(Cli::tr("unexpected argument '%1'").arg(parser.positionalArguments()[0]));

    CliRequest request;
    CliOptions& options = request.options;
    QStringList warnings;
    if (parser.isSet(o.rules)) {
        const SiteRulesParse site = ParseSiteRules(parser.value(o.rules));
        if (!site.rules)
            return UsageError(
                Cli::tr("%1: cannot read or meet '%2'").arg(Dashed(kRules), site.badPart));
        options.siteRules = site.rules;
    }
    if (!parser.isSet(o.length) && !parser.isSet(o.rules) && !parser.isSet(o.settings) &&
        !parser.isSet(o.settingsFile))
        return UsageError(Cli::tr("%1 is required (1..%2)")
                              .arg(Dashed(kLength), QString::number(kMaxPasswordLength)));
    if (parser.isSet(o.length)) {
        const auto length = NumberIn(parser.value(o.length), kMaxPasswordLength);
        if (!length)
            return UsageError(Cli::tr("%1 must be 1..%2")
                                  .arg(Dashed(kLength), QString::number(kMaxPasswordLength)));
        options.length = *length;
    } else {
        // The site's rules give the length, from --rules or from the settings file.
        request.lengthGiven = false;
        options.length = options.siteRules ? options.siteRules->defaultLength() : 0;
    }
    const std::pair<const QCommandLineOption*, qint32*> minimums[] = {
        {&o.minDigits, &options.minimums.digits}, {&o.minUpper, &options.minimums.upper},
        {&o.minLower, &options.minimums.lower},   {&o.minSymbols, &options.minimums.symbols},
        {&o.minExtra, &options.minimums.extra},   {&o.maxRun, &options.maxRun}};
    for (const auto& [option, value] : minimums) {
        if (!parser.isSet(*option))
            continue;
        const auto number = CountIn(parser.value(*option), kMaxPasswordLength);
        if (!number)
            return UsageError(
                Cli::tr("%1 must be 0..%2")
                    .arg(Dashed(option->names()), QString::number(kMaxPasswordLength)));
        *value = *number;
    }
    if (parser.isSet(o.first)) {
        const auto first = FirstCharacterNamed(parser.value(o.first));
        if (!first || *first == FirstCharacter::Any)
            return UsageError(Cli::tr("%1 must be letter or alnum").arg(Dashed(kFirst)));
        options.first = *first;
    }
    options.unique = parser.isSet(o.unique);
    if (parser.isSet(o.count)) {
        const auto count = NumberIn(parser.value(o.count), qint32(kMaxPasswordCount));
        if (!count)
            return UsageError(Cli::tr("%1 must be 1..2147483647").arg(Dashed(kCount)));
        options.count = *count;
    }

    const bool fromSettings = parser.isSet(o.settings) || parser.isSet(o.settingsFile);
    const bool characterOption = parser.isSet(o.digits) || parser.isSet(o.upper) ||
                                 parser.isSet(o.lower) || parser.isSet(o.extra) ||
                                 parser.isSet(o.exclude) || parser.isSet(o.symbols);
    // A site's rules name their own characters.
    const QCommandLineOption* const classOptions[] = {
        &o.digits,    &o.upper,    &o.lower,    &o.extra,      &o.symbols, &o.eachClass,
        &o.minDigits, &o.minUpper, &o.minLower, &o.minSymbols, &o.minExtra};
    if (parser.isSet(o.rules)) {
        for (const QCommandLineOption* option : classOptions) {
            if (parser.isSet(*option))
                return UsageError(Cli::tr("%1 gives the characters itself and cannot be combined "
                                          "with %2")
                                      .arg(Dashed(kRules), Dashed(option->names())));
        }
    }
    if (parser.isSet(o.settings) && parser.isSet(o.settingsFile))
        return UsageError(Cli::tr("%1 and %2 cannot be used together")
                              .arg(Dashed(kSettings), Dashed(kSettingsFile)));
    if (fromSettings && characterOption)
        return UsageError(
            Cli::tr("%1 cannot be combined with --digits, --upper, --lower, --extra or --exclude")
                .arg(Dashed(parser.isSet(o.settings) ? kSettings : kSettingsFile)));

    if (parser.isSet(o.settingsFile)) {
        request.characters = CharacterSource::SettingsFile;
        request.settingsFile = parser.value(o.settingsFile);
    } else if (parser.isSet(o.settings)) {
        request.characters = CharacterSource::WindowFile;
    } else {
        GenerationOptions& g = options.generation;
        g.digits = parser.isSet(o.digits);
        g.upper = parser.isSet(o.upper);
        g.lower = parser.isSet(o.lower);
        g.extra = parser.isSet(o.extra);
        QStringList dropped;
        g.extraText = FreeText(parser.value(o.extra), kExtra, dropped);
        g.exclude = parser.isSet(o.exclude);
        g.excludeText = FreeText(parser.value(o.exclude), kExclude, dropped);
        if (!dropped.isEmpty())
            warnings << Cli::tr("warning: dropped what cannot stand in a password (a control, a "
                                "mark or half a flag without its base, a noncharacter): %1")
                            .arg(dropped.join(QStringLiteral("; ")));
        if (parser.isSet(o.symbols)) {
            const auto set = SymbolSetNamed(parser.value(o.symbols));
            if (!set || *set == SymbolSet::None)
                return UsageError(Cli::tr("%1 must be one of %2")
                                      .arg(Dashed(kSymbols), SymbolSetNames().join(u", ")));
            g.symbols = *set;
        }
        if (!g.digits && !g.upper && !g.lower && !g.extra)
            g.digits = g.upper = g.lower = true;
    }

    // -B and -y; the settings file read next may add its own policies.
    options.noSimilar = parser.isSet(o.noSimilar);
    options.eachClass = parser.isSet(o.eachClass);
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
    if (const auto refused = ReadSlipOptions(parser, o, options))
        return UsageError(*refused);
    if (const QString error = ReadHandoutArguments(parser, o.handout, options); !error.isEmpty())
        return UsageError(error);

    ParsedArguments parsed;
    parsed.request = request;
    parsed.warnings = warnings;
    return parsed;
}

ParsedCommandLine ParseCommandLine(const QStringList& arguments,
                                   const std::function<QString()>& windowSettingsFile) {
    const ParsedArguments parsed = ParseArguments(arguments);
    if (!parsed.request) {
        ParsedCommandLine stopped;
        stopped.output = parsed.output;
        stopped.error = parsed.error;
        stopped.exitCode = parsed.exitCode;
        return stopped;
    }
    ParsedCommandLine read = ReadRequestedSettings(*parsed.request, windowSettingsFile);
    read.warnings = parsed.warnings + read.warnings;
    return ReadRequestedAccounts(std::move(read));
}
