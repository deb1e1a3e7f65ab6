#pragma once

// keymill-cli's hand-out options: passwords paired with the accounts of a file, written as csv,
// JSON Lines, chpasswd lines or a workbook, with a hash for the system that receives them. The
// options are defined, read and checked here; CliOptions holds what they ask for.

#include "AccountList.h"
#include "HandoutFormat.h"
#include "PasswordHasher.h"

#include <QCommandLineOption>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>
#include <optional>

namespace CliOptionNames {
inline const QStringList kAccounts{"accounts"};
inline const QStringList kAccountsColumn{"accounts-column"};
inline const QStringList kAccountsHeader{"accounts-header"};
inline const QStringList kFormat{"format"};
inline const QStringList kHash{"hash"};
} // namespace CliOptionNames

struct HandoutCliOptions {
    HandoutFormat format = HandoutFormat::Plain;
    std::optional<HashScheme> hash;
    QString accountsFile; // empty: no accounts
    AccountReadOptions accountsReading;
    bool countGiven = false; // -c was given: it must match the accounts
    QStringList accounts;    // read from accountsFile once the arguments are checked
};

class QCommandLineParser;
struct CliOptions;
struct ParsedCommandLine;
class PasswordSink;

// The options' definitions, for the parser and its help.
struct HandoutOptionDefinitions {
    HandoutOptionDefinitions();
    QCommandLineOption accounts;
    QCommandLineOption accountsColumn;
    QCommandLineOption accountsHeader;
    QCommandLineOption format;
    QCommandLineOption hash;
    QList<QCommandLineOption> all() const {
        return {accounts, accountsColumn, accountsHeader, format, hash};
    }
};

// Step one, from the arguments alone: fills options.handout (and sets the encoding of a format
// other than plain to UTF-8). The one-line usage error, or the empty text.
QString ReadHandoutArguments(const QCommandLineParser& parser,
                             const HandoutOptionDefinitions& defined, CliOptions& options);

// Step two: reads the accounts file the options name; the count becomes the number of accounts.
// A refusal becomes the usage error (exit status 2).
ParsedCommandLine ReadRequestedAccounts(ParsedCommandLine parsed);

// keymill-cli's one line for a refused list of accounts read from `file` (without the
// "keymill-cli: " before it).
QString AccountErrorText(const AccountError& error, const QString& file);

// Where the run's passwords go: standard output or --output, as plain lines or in the format
// asked for. Warnings (passwords a spreadsheet would change) go to err once the list is out.
std::unique_ptr<PasswordSink> MakeOutputSink(const CliOptions& options, QTextStream& err);
