#pragma once

#include "CliHandout.h"
#include "FileEncoding.h"
#include "GenerationOptions.h"
#include "PasswordLimits.h"
#include "PasswordRules.h"
#include "SlipSettings.h"

#include <QByteArrayList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What one run of keymill-cli makes: the character options, the length and count, and where the
// passwords go.
struct CliOptions {
    GenerationOptions generation;
    qint32 length = 0;
    qint32 count = 1;
    bool noSimilar = false;
    bool eachClass = false;
    bool printEntropy = false;
    ClassMinimums minimums;
    qint32 maxRun = 0;
    FirstCharacter first = FirstCharacter::Any;
    std::optional<SiteRules> siteRules; // --rules, or PasswordRules of a settings file
    bool unique = false;
    QString outputFile; // empty: standard output
    FileEncoding encoding = FileEncoding::Cp932;
    // --slips: the same passwords as hand-out slips in a PDF file; empty: none. Each slip names
    // its account from handout.accounts, in the order of the passwords, or is numbered.
    QString slipsFile;
    SlipSettings slips;
    HandoutCliOptions handout; // --accounts, --format, --hash
};

// Where the character options come from.
enum class CharacterSource {
    Arguments,    // --digits, --upper, --lower, --extra, --exclude (or the three classes)
    WindowFile,   // --settings: the keymill.ini the window reads
    SettingsFile, // --settings-file FILE
};

// What the arguments alone ask for, before any file is read. options.generation holds the
// character options of the arguments; with a settings file it is filled from the file.
struct CliRequest {
    CliOptions options;
    CharacterSource characters = CharacterSource::Arguments;
    bool lengthGiven = true; // false: the site's rules give it (see SiteRules::defaultLength)
    QString settingsFile;    // CharacterSource::SettingsFile
};

// Each option's names, defined once: the parser, its help text and its messages use them.
namespace CliOptionNames {
inline const QStringList kLength{"l", "length"};
inline const QStringList kCount{"c", "count"};
inline const QStringList kDigits{"d", "digits"};
inline const QStringList kUpper{"u", "upper"};
inline const QStringList kLower{"w", "lower"};
inline const QStringList kExtra{"a", "extra"};
inline const QStringList kExclude{"x", "exclude"};
inline const QStringList kSymbols{"s", "symbols"};
inline const QStringList kMinDigits{"min-digits"};
inline const QStringList kMinUpper{"min-upper"};
inline const QStringList kMinLower{"min-lower"};
inline const QStringList kMinSymbols{"min-symbols"};
inline const QStringList kMinExtra{"min-extra"};
inline const QStringList kMaxRun{"max-run"};
inline const QStringList kFirst{"first"};
inline const QStringList kRules{"rules"};
inline const QStringList kUnique{"U", "unique"};
inline const QStringList kSettings{"settings"};
inline const QStringList kSettingsFile{"settings-file"};
inline const QStringList kNoSimilar{"B", "no-similar"};
inline const QStringList kEachClass{"y", "each-class"};
inline const QStringList kEntropy{"e", "entropy"};
inline const QStringList kOutput{"o", "output"};
inline const QStringList kEncoding{"encoding"};
// Hand-out slips.
inline const QStringList kSlips{"slips"};
inline const QStringList kSlipTitle{"slip-title"};
inline const QStringList kSlipNote{"slip-note"};
inline const QStringList kSlipsPerPage{"slips-per-page"};
inline const QStringList kSlipGroup{"slip-group"};
inline const QStringList kSlipKinds{"slip-kinds"};
inline const QStringList kHelp{"h", "help"};
inline const QStringList kVersion{"v", "version"};
} // namespace CliOptionNames

// An option as messages name it: its long name after two dashes.
inline QString Dashed(const QStringList& names) {
    return QStringLiteral("--") + names.last();
}

// Slips are painted once every password is made, so they are held in memory: at most as many
// as the window makes.
inline constexpr qint32 kMaxSlips = kMaxPasswordLength;

// A decimal number of ASCII digits (leading zeros allowed) from 1 to max; anything else,
// a sign or a blank included, is refused.
std::optional<qint32> NumberIn(const QString& text, qint32 max);

// Whether the arguments ask for slips, which need fonts and so a QGuiApplication.
bool AsksForSlips(const QByteArrayList& arguments);

// The outcome of reading the arguments: what to run, or a text to print and an exit status (the
// help or version text on standard output with 0, or one line naming the option and its rule on
// standard error with 2).
// `warnings` are lines for standard error that change nothing of the run or its exit status.
struct ParsedArguments {
    std::optional<CliRequest> request;
    QString output;
    QString error;
    int exitCode = 0;
    QStringList warnings;
};
struct ParsedCommandLine {
    std::optional<CliOptions> options;
    QString output;
    QString error;
    int exitCode = 0;
    QStringList warnings;
};

// Step one, pure: arguments[0] is the program's name; nothing is read but the arguments.
ParsedArguments ParseArguments(const QStringList& arguments);

// Step two: the character options read from the settings file the request names, as the window
// loads them. windowSettingsFile gives the keymill.ini that the window reads; it is asked only
// for --settings, since finding it may create the user's settings directory.
ParsedCommandLine ReadRequestedSettings(const CliRequest& request,
                                        const std::function<QString()>& windowSettingsFile);

// Both steps.
ParsedCommandLine ParseCommandLine(const QStringList& arguments,
                                   const std::function<QString()>& windowSettingsFile);

// The arguments as the system passed them (argv, arguments[0] the program's name), decoded from
// UTF-8; `error` is the one-line refusal of the first that is not valid UTF-8, naming its option
// (a byte that does not decode must never become U+FFFD in a password).
struct DecodedArguments {
    QStringList arguments;
    QString error;
};
DecodedArguments DecodeArguments(const QByteArrayList& arguments);
