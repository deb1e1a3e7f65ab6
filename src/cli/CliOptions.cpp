#include "CliOptions.h"

#include "CliText.h"
#include "FreeTextFilter.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringDecoder>
#include <algorithm>

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
// such as a line break.
QString FreeText(const QString& text) {
    return FilterFreeText(text, 0).text;
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
    QCommandLineOption settings{kSettings, Cli::tr("Take the character options from the window's "
                                                   "keymill.ini.")};
    QCommandLineOption settingsFile{kSettingsFile,
                                    Cli::tr("Take the character options from this settings "
                                            "file."),
                                    QStringLiteral("FILE")};
    QCommandLineOption noSimilar{kNoSimilar,
                                 Cli::tr("Remove look-alike characters: 0 O o 1 l I | and their "
                                         "full-width forms, 〇 and Cyrillic, Greek and Roman "
                                         "look-alikes (see the manual).")};
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
        return {help,      helpAll,   version, length,  count,    digits,
                upper,     lower,     extra,   exclude, settings, settingsFile,
                noSimilar, eachClass, entropy, output,  encoding};
    }
};

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
    if (!parser.isSet(o.length))
        return UsageError(Cli::tr("%1 is required (1..%2)")
                              .arg(Dashed(kLength), QString::number(kMaxPasswordLength)));
    const auto length = NumberIn(parser.value(o.length), kMaxPasswordLength);
    if (!length)
        return UsageError(
            Cli::tr("%1 must be 1..%2").arg(Dashed(kLength), QString::number(kMaxPasswordLength)));
    options.length = *length;
    if (parser.isSet(o.count)) {
        const auto count = NumberIn(parser.value(o.count), qint32(kMaxPasswordCount));
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
        g.extraText = FreeText(parser.value(o.extra));
        g.exclude = parser.isSet(o.exclude);
        g.excludeText = FreeText(parser.value(o.exclude));
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

    ParsedArguments parsed;
    parsed.request = request;
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
    return ReadRequestedSettings(*parsed.request, windowSettingsFile);
}
