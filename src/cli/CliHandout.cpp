#include "CliHandout.h"

#include "CliOptions.h"
#include "ErrnoText.h"
#include "FileSink.h"
#include "HandoutFile.h"
#include "PasswordSink.h"
#include "StreamSink.h"
#include "XlsxWorkbook.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <unistd.h>

using namespace CliOptionNames;

namespace {

// The context of these messages in translations/keymill-cli_ja.ts.
struct CliHandout {
    Q_DECLARE_TR_FUNCTIONS(CliHandout)
};

} // namespace

QString AccountErrorText(const AccountError& e, const QString& file) {
    const QString option = Dashed(kAccounts) + QStringLiteral(": ");
    const QString line = QString::number(e.line);
    switch (e.problem) {
    case AccountProblem::CannotRead:
        return option + CliHandout::tr("cannot read '%1': %2").arg(file, ErrnoText(e.number));
    case AccountProblem::NotText:
        return option + CliHandout::tr("line %1 of '%2' is not text in code page 932, UTF-8 or "
                                       "UTF-16 with its mark")
                            .arg(line, file);
    case AccountProblem::OpenQuote:
        return option +
               CliHandout::tr("the quoted field that starts on line %1 of '%2' is not closed")
                   .arg(line, file);
    case AccountProblem::MissingColumn:
        return option + CliHandout::tr("line %1 of '%2' has no column %3")
                            .arg(line, file, QString::number(e.column));
    case AccountProblem::ControlCharacter:
        return option + CliHandout::tr("the account on line %1 of '%2' holds a control character")
                            .arg(line, file);
    case AccountProblem::Duplicate:
        return option + CliHandout::tr("'%1' on line %2 of '%3' is already on line %4")
                            .arg(e.name, line, file, QString::number(e.firstLine));
    case AccountProblem::NoAccounts:
        return option + CliHandout::tr("'%1' holds no account").arg(file);
    }
    return QString();
}

namespace {

// The last column a spreadsheet has (XFD).
constexpr qint32 kMaxAccountsColumn = 16384;

// The passwords of a run in one of the hand-out formats, paired with the accounts in order and
// hashed when asked, to standard output or to --output.
class HandoutSink : public PasswordSink {
public:
    HandoutSink(const CliOptions& options, QTextStream& err)
        : m_options(options.handout), m_path(options.outputFile), m_err(err) {
        if (m_path.isEmpty())
            m_stream.emplace(STDOUT_FILENO, QCoreApplication::translate("Cli", "standard output"));
        m_columns.account = !m_options.accounts.isEmpty();
        m_columns.hash = m_options.hash.has_value();
        if (m_options.hash)
            m_hasher = std::make_unique<PasswordHasher>(*m_options.hash);
    }

    bool open() override {
        if (m_stream)
            return m_stream->write(HandoutHeaderText(m_options.format, m_columns));
        return check(m_file.open(m_path, m_options.format, m_columns));
    }

    bool append(QStringView password) override {
        HandoutRow row;
        if (m_columns.account)
            row.account = m_options.accounts.value(m_made);
        row.password = password.toString();
        if (m_hasher) {
            const std::optional<QString> hash = m_hasher->hash(password);
            if (!hash) {
                m_error =
                    CliHandout::tr("cannot hash a password with %1: %2")
                        .arg(HashSchemeName(*m_options.hash), ErrnoText(m_hasher->errorNumber()));
                return false;
            }
            row.hash = *hash;
        }
        ++m_made;
        m_altered += SpreadsheetMayAlter(password) ? 1 : 0;
        if (m_stream)
            return m_stream->write(HandoutRowText(m_options.format, m_columns, row));
        return check(m_file.add(row));
    }

    bool commit() override {
        const bool done = m_stream ? m_stream->commit() : check(m_file.commit());
        if (done && m_altered > 0 && m_options.format == HandoutFormat::Csv) {
            m_err << "keymill-cli: "
                  << CliHandout::tr("warning: %1 of %2 passwords start with =, +, -, @ or 0, "
                                    "which a spreadsheet opening the csv file turns into a "
                                    "formula or a number; --format xlsx keeps them as text")
                         .arg(m_altered)
                         .arg(m_made)
                  << '\n';
            m_err.flush();
        }
        return done;
    }

    void abort() override { m_file.abort(); }

    QString errorText() const override {
        if (!m_error.isEmpty())
            return m_error;
        return m_stream ? m_stream->errorText() : QString();
    }

private:
    bool check(const WriteOutcome& outcome) {
        if (!outcome.ok())
            m_error = CannotWriteText(m_path, outcome.number);
        return outcome.ok();
    }

    const HandoutCliOptions& m_options;
    QString m_path;
    QTextStream& m_err;
    HandoutColumns m_columns;
    std::unique_ptr<PasswordHasher> m_hasher;
    std::optional<StreamSink> m_stream; // standard output; none with --output
    HandoutFileWriter m_file;
    qint64 m_made = 0;
    qint64 m_altered = 0;
    QString m_error;
};

} // namespace

HandoutOptionDefinitions::HandoutOptionDefinitions()
    : accounts(kAccounts,
               CliHandout::tr("Hand one password to each account of this file (one a line, or a "
                              "column of a .csv file); the count is the number of accounts."),
               QStringLiteral("FILE")),
      accountsColumn(kAccountsColumn,
                     CliHandout::tr("Read --accounts as CSV and take this column (default 1)."),
                     QStringLiteral("N")),
      accountsHeader(kAccountsHeader,
                     CliHandout::tr("The first line of --accounts is a header, not an account.")),
      format(kFormat,
             CliHandout::tr("Output format: plain (default), csv, json, chpasswd or xlsx."),
             QStringLiteral("FORMAT")),
      hash(kHash,
           CliHandout::tr("Add a hash of each password: yescrypt or sha512crypt (chpasswd: the "
                          "hash in place of the password)."),
           QStringLiteral("SCHEME")) {}

QString ReadHandoutArguments(const QCommandLineParser& parser,
                             const HandoutOptionDefinitions& defined, CliOptions& options) {
    HandoutCliOptions& handout = options.handout;
    handout.countGiven = parser.isSet(kCount.constFirst());
    if (parser.isSet(defined.format)) {
        const auto format = HandoutFormatNamed(parser.value(defined.format));
        if (!format)
            return CliHandout::tr("%1 must be plain, csv, json, chpasswd or xlsx")
                .arg(Dashed(kFormat));
        handout.format = *format;
    }
    if (parser.isSet(defined.hash)) {
        const auto scheme = HashSchemeNamed(parser.value(defined.hash));
        if (!scheme)
            return CliHandout::tr("%1 must be yescrypt or sha512crypt").arg(Dashed(kHash));
        if (handout.format == HandoutFormat::Plain)
            return CliHandout::tr("%1 needs %2 csv, json, chpasswd or xlsx")
                .arg(Dashed(kHash), Dashed(kFormat));
        handout.hash = scheme;
    }
    handout.accountsFile = parser.value(defined.accounts);
    if (parser.isSet(defined.accounts) && handout.accountsFile.isEmpty())
        return CliHandout::tr("%1 needs a file name").arg(Dashed(kAccounts));
    for (const QCommandLineOption* option : {&defined.accountsColumn, &defined.accountsHeader}) {
        if (parser.isSet(*option) && !parser.isSet(defined.accounts))
            return CliHandout::tr("%1 applies only to %2")
                .arg(Dashed(option->names()), Dashed(kAccounts));
    }
    if (parser.isSet(defined.accountsColumn)) {
        const auto column = NumberIn(parser.value(defined.accountsColumn), kMaxAccountsColumn);
        if (!column)
            return CliHandout::tr("%1 must be 1..16384").arg(Dashed(kAccountsColumn));
        handout.accountsReading.column = *column;
    }
    handout.accountsReading.skipHeader = parser.isSet(defined.accountsHeader);

    if (handout.format == HandoutFormat::Plain)
        return QString();
    if (parser.isSet(kEncoding.constFirst()))
        return CliHandout::tr("--encoding applies only to %1 plain").arg(Dashed(kFormat));
    options.encoding = FileEncoding::Utf8;
    if (handout.format == HandoutFormat::Chpasswd && handout.accountsFile.isEmpty())
        return CliHandout::tr("%1 chpasswd needs %2").arg(Dashed(kFormat), Dashed(kAccounts));
    if (handout.format == HandoutFormat::Xlsx) {
        if (options.outputFile.isEmpty())
            return CliHandout::tr("%1 xlsx needs --output: a workbook is not text")
                .arg(Dashed(kFormat));
        if (options.length > XlsxWorkbook::kMaxCellCharacters)
            return CliHandout::tr("%1 xlsx holds passwords of at most %2 characters")
                .arg(Dashed(kFormat))
                .arg(XlsxWorkbook::kMaxCellCharacters);
        if (handout.accountsFile.isEmpty() && options.count > XlsxWorkbook::kMaxRows)
            return CliHandout::tr("%1 xlsx holds at most %2 passwords")
                .arg(Dashed(kFormat))
                .arg(XlsxWorkbook::kMaxRows);
    }
    return QString();
}

ParsedCommandLine ReadRequestedAccounts(ParsedCommandLine parsed) {
    if (!parsed.options || parsed.options->handout.accountsFile.isEmpty())
        return parsed;
    CliOptions& options = *parsed.options;
    HandoutCliOptions& handout = options.handout;
    const auto refused = [](const QString& text) {
        ParsedCommandLine stopped;
        stopped.error = text;
        stopped.exitCode = 2;
        return stopped;
    };
    const AccountsOutcome read = ReadAccounts(handout.accountsFile, handout.accountsReading);
    if (const auto* error = std::get_if<AccountError>(&read))
        return refused(AccountErrorText(*error, handout.accountsFile));
    const AccountList& list = std::get<AccountList>(read);
    const qsizetype count = list.names.size();
    if (handout.countGiven && options.count != count)
        return refused(CliHandout::tr("--count %1 does not match the %2 accounts of %3; leave "
                                      "--count out")
                           .arg(options.count)
                           .arg(count)
                           .arg(Dashed(kAccounts)));
    if (const qsizetype unfit = FirstUnfitAccount(handout.format, list.names); unfit >= 0)
        return refused(
            CliHandout::tr("%1 chpasswd: the account '%2' on line %3 holds ':', "
                           "which ends the name in chpasswd's lines")
                .arg(Dashed(kFormat), list.names[unfit], QString::number(list.lines[unfit])));
    if (handout.format == HandoutFormat::Xlsx && count > XlsxWorkbook::kMaxRows)
        return refused(CliHandout::tr("%1 xlsx holds at most %2 passwords")
                           .arg(Dashed(kFormat))
                           .arg(XlsxWorkbook::kMaxRows));
    if (count > qint32(kMaxPasswordCount))
        return refused(CliHandout::tr("%1 holds more than %2 accounts")
                           .arg(Dashed(kAccounts))
                           .arg(qint32(kMaxPasswordCount)));
    options.count = qint32(count);
    handout.accounts = list.names;
    return parsed;
}

std::unique_ptr<PasswordSink> MakeOutputSink(const CliOptions& options, QTextStream& err) {
    if (options.handout.format != HandoutFormat::Plain)
        return std::make_unique<HandoutSink>(options, err);
    if (options.outputFile.isEmpty())
        return std::make_unique<StreamSink>(STDOUT_FILENO,
                                            QCoreApplication::translate("Cli", "standard output"));
    return std::make_unique<FileSink>(options.outputFile, options.encoding);
}
