#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// The forms a list of passwords is handed out in, and the text of the line-based ones.
//  - plain: the passwords alone, one a line, as keymill-cli has always printed them;
//  - csv: RFC 4180 in UTF-8 with its byte-order mark (so that spreadsheets show Japanese), CR LF
//    line ends, a header "account,password" (",hash"); a field is quoted when it holds a comma,
//    a double quote or a line break;
//  - json: JSON Lines, one object a line: {"account": ..., "password": ..., "hash": ...};
//  - chpasswd: "account:password" lines, or "account:hash" (for chpasswd -e); needs accounts;
//  - xlsx: a workbook whose cells are text (see XlsxWorkbook).
// A list without accounts leaves the account column out; without a hash, the hash column.
enum class HandoutFormat { Plain, Csv, Json, Chpasswd, Xlsx };

std::optional<HandoutFormat> HandoutFormatNamed(QStringView name);
// "plain", "csv", ...
QString HandoutFormatName(HandoutFormat format);

// One handed-out password: the account it goes to (empty without accounts), the password, and
// its hash (empty without one).
struct HandoutRow {
    QString account;
    QString password;
    QString hash;
};

struct HandoutColumns {
    bool account = false;
    bool hash = false;
};

// Pairs the i-th password with the i-th account; rows without an account when `accounts` is
// empty. Passwords beyond the accounts are dropped; accounts beyond the passwords get none (the
// caller tells the user first: see MissingPasswords).
QList<HandoutRow> PairPasswords(const QStringList& accounts, const QStringList& passwords);
qsizetype MissingPasswords(const QStringList& accounts, const QStringList& passwords);

// The first account that `format` cannot carry (chpasswd: one holding ":"), or -1.
qsizetype FirstUnfitAccount(HandoutFormat format, const QStringList& accounts);

// True for a password that a spreadsheet opening a csv file turns into a formula or a number
// (one starting with "=", "+", "-", "@" or "0"); xlsx keeps it as text.
bool SpreadsheetMayAlter(QStringView password);

// The text before the first row (the csv header, with its byte-order mark as U+FEFF) and the text
// of one row, line end included, of the line-based formats (csv, json, chpasswd, plain).
QString HandoutHeaderText(HandoutFormat format, HandoutColumns columns);
QString HandoutRowText(HandoutFormat format, HandoutColumns columns, const HandoutRow& row);
