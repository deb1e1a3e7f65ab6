#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <variant>

// The accounts that passwords are handed out to, one password each, in the order given.
//
// A list is read from a file (keymill-cli's --accounts, the hand-out dialog's file button) or
// from pasted text. A file whose name ends in ".csv", or any file read with a column number, is
// CSV (RFC 4180: fields between commas, a field in double quotes may hold commas, line breaks and
// doubled quotes) and gives one field of each record; any other text gives each line whole, so a
// plain list may hold "a,b" or `say "hi"` as they stand. The file's encoding is told as
// keymill.ini's is (code page 932, UTF-8 with or without its mark, UTF-16 with its mark).
//
// Blank lines (nothing but blanks) are skipped, as is a record whose chosen field is blank; names
// are kept exactly, blanks and all. Refused, naming the line: a name holding a control character
// (a tab, a line break: no format written can carry it), a name given twice (naming both lines),
// a record without the chosen column, a quoted field left open, bytes that are not text in the
// file's encoding, and a list without any account.

struct AccountReadOptions {
    int column = 0;          // CSV field, counted from 1; 0 reads plain lines, or field 1 of a .csv
    bool skipHeader = false; // the first record (or line) is a header, not an account
};

struct AccountList {
    QStringList names;
    QList<qint64> lines; // where each name stands in the file, counted from 1
};

enum class AccountProblem {
    CannotRead,       // `number` is the errno
    NotText,          // bytes that are not text in the file's encoding, at `line`
    OpenQuote,        // a quoted field that the file does not close, starting at `line`
    MissingColumn,    // the record at `line` has fewer fields than `column`
    ControlCharacter, // `name` at `line` holds a control character
    Duplicate,        // `name` at `line` was given at `firstLine` already
    NoAccounts,       // nothing but blank lines (or the header)
};

// Why a list was refused; no wording, so that each front end words it in its own language.
struct AccountError {
    AccountProblem problem = AccountProblem::NoAccounts;
    qint64 line = 0;
    qint64 firstLine = 0;
    int column = 0;
    int number = 0;
    QString name;
};

using AccountsOutcome = std::variant<AccountList, AccountError>;

// The accounts of a file; `options.column` 0 reads a ".csv" file as CSV column 1.
AccountsOutcome ReadAccounts(const QString& path, const AccountReadOptions& options);

// The accounts of text already decoded (pasted); `csv` chooses the reading as the name does above.
AccountsOutcome ParseAccounts(QStringView text, bool csv, const AccountReadOptions& options);

// Numbered accounts: `prefix` and first, first + 1, ..., each number at least `digits` long with
// leading zeros ("user", 1, 3, 3 gives user001, user002, user003).
QStringList NumberedAccounts(const QString& prefix, qint64 first, int digits, qint64 count);
