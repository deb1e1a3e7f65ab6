#pragma once

#include "GenerationOptions.h"
#include "PasswordLimits.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// What one call of keymill-cli asks for, read from its arguments before anything is drawn.
enum class OutputEncoding { Cp932, Utf8 };

struct CliOptions {
    GenerationOptions generation; // Mojisu and Seisei stay 0: length and count are below
    qint32 length = 0;
    qint32 count = 1;
    bool noSimilar = false;
    bool eachClass = false;
    bool printEntropy = false;
    QString outputFile; // empty: standard output
    OutputEncoding encoding = OutputEncoding::Cp932;
};

// The names of the options, shared by the parser, its help text and the tests.
namespace CliOptionNames {
inline const QStringList kLength{"l", "length"};
inline const QStringList kCount{"c", "count"};
inline const QStringList kDigits{"d", "digits"};
inline const QStringList kUpper{"u", "upper"};
inline const QStringList kLower{"w", "lower"};
inline const QStringList kExtra{"a", "extra"};
inline const QStringList kExclude{"x", "exclude"};
inline const QStringList kSettings{"settings"};
inline const QStringList kSettingsFile{"settings-file"};
inline const QStringList kNoSimilar{"B", "no-similar"};
inline const QStringList kEachClass{"y", "each-class"};
inline const QStringList kEntropy{"e", "entropy"};
inline const QStringList kOutput{"o", "output"};
inline const QStringList kEncoding{"encoding"};
} // namespace CliOptionNames

inline constexpr qint32 kMaxCount = 2147483647;

// The outcome of reading the arguments: options to run with, or a text to print and an exit
// status (the help or version text on standard output with 0, or one line naming the option
// and its rule on standard error with 2).
struct ParsedCommandLine {
    std::optional<CliOptions> options;
    QString output;
    QString error;
    int exitCode = 0;
};

// arguments[0] is the program's name. windowSettingsFile gives the keymill.ini that the window
// reads; it is asked only for --settings, since finding it may create the user's settings
// directory.
ParsedCommandLine ParseCommandLine(const QStringList& arguments,
                                   const std::function<QString()>& windowSettingsFile);
