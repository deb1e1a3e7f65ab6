#include "AccountList.h"

#include "TextFileEncoding.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// One record of the text: its fields and the line it starts on.
struct Record {
    QStringList fields;
    qint64 line = 0;
};

bool IsBlank(QStringView text) {
    return text.trimmed().isEmpty();
}

bool IsControl(QChar c) {
    return c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F);
}

// Steps over the line end at `i` (CR LF, LF or CR); returns false when there is none.
bool SkipLineEnd(QStringView text, qsizetype& i) {
    if (text[i] == u'\r') {
        i += (i + 1 < text.size() && text[i + 1] == u'\n') ? 2 : 1;
        return true;
    }
    if (text[i] == u'\n') {
        ++i;
        return true;
    }
    return false;
}

QList<Record> PlainLines(QStringView text) {
    QList<Record> records;
    qsizetype start = 0;
    qint64 line = 1;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype end = i;
        if (!SkipLineEnd(text, i)) {
            ++i;
            continue;
        }
        records.append({{text.mid(start, end - start).toString()}, line++});
        start = i;
    }
    if (start < text.size())
        records.append({{text.mid(start).toString()}, line});
    return records;
}

// RFC 4180, leniently: a quote inside an unquoted field, or text after a closing quote, is kept
// as it stands.
std::variant<QList<Record>, AccountError> CsvRecords(QStringView text) {
    QList<Record> records;
    qint64 line = 1;
    qsizetype i = 0;
    while (i < text.size()) {
        Record record{{}, line};
        QString field;
        bool recordDone = false;
        while (!recordDone) {
            if (i < text.size() && text[i] == u'"') {
                const qint64 opened = line;
                ++i;
                for (;;) {
                    if (i >= text.size())
                        return AccountError{AccountProblem::OpenQuote, opened, 0, 0, 0, {}};
                    if (text[i] == u'"') {
                        if (i + 1 < text.size() && text[i + 1] == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == u'\n' ||
                        (text[i] == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n')))
                        ++line;
                    field += text[i++];
                }
            }
            while (i < text.size() && text[i] != u',' && text[i] != u'\r' && text[i] != u'\n')
                field += text[i++];
            record.fields << field;
            field.clear();
            if (i < text.size() && text[i] == u',') {
                ++i;
                continue;
            }
            if (i < text.size())
                SkipLineEnd(text, i);
            ++line;
            recordDone = true;
        }
        records.append(record);
    }
    return records;
}

qint64 LineOfOffset(QStringView text, qsizetype offset) {
    qint64 line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (text[i] == u'\n' ||
            (text[i] == u'\r' && !(i + 1 < text.size() && text[i + 1] == u'\n')))
            ++line;
    }
    return line;
}

bool IsCsvName(const QString& path) {
    return path.endsWith(QStringLiteral(".csv"), Qt::CaseInsensitive);
}

} // namespace

AccountsOutcome ParseAccounts(QStringView text, bool csv, const AccountReadOptions& options) {
    QList<Record> records;
    if (csv) {
        auto parsed = CsvRecords(text);
        if (auto* error = std::get_if<AccountError>(&parsed))
            return *error;
        records = std::move(std::get<QList<Record>>(parsed));
    } else {
        records = PlainLines(text);
    }
    const int column = csv ? std::max(options.column, 1) : 1;
    bool headerLeft = options.skipHeader;
    AccountList list;
    QHash<QString, qint64> seen;
    for (const Record& record : std::as_const(records)) {
        if (record.fields.size() == 1 && IsBlank(record.fields.front()))
            continue;
        if (std::exchange(headerLeft, false))
            continue;
        if (record.fields.size() < column)
            return AccountError{AccountProblem::MissingColumn, record.line, 0, column, 0, {}};
        const QString& name = record.fields[column - 1];
        if (IsBlank(name))
            continue;
        if (std::any_of(name.cbegin(), name.cend(), IsControl))
            return AccountError{AccountProblem::ControlCharacter, record.line, 0, column, 0, name};
        if (const auto at = seen.constFind(name); at != seen.cend())
            return AccountError{AccountProblem::Duplicate, record.line, *at, column, 0, name};
        seen.insert(name, record.line);
        list.names << name;
        list.lines << record.line;
    }
    if (list.names.isEmpty())
        return AccountError{AccountProblem::NoAccounts, 0, 0, column, 0, {}};
    return list;
}

AccountsOutcome ReadAccounts(const QString& path, const AccountReadOptions& options) {
    const auto failed = [](int number) {
        return AccountError{AccountProblem::CannotRead, 0, 0, 0, number, {}};
    };
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failed(errno);
    QByteArray bytes;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        return failed(EISDIR);
    }
    for (;;) {
        char buffer[1 << 16];
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            const int number = errno;
            ::close(fd);
            return failed(number);
        }
        if (got == 0)
            break;
        bytes.append(buffer, got);
    }
    ::close(fd);
    bool valid = true;
    const QString text = DecodeTextFile(bytes, &valid);
    if (!valid) {
        const qsizetype bad = text.indexOf(QChar::ReplacementCharacter);
        return AccountError{
            AccountProblem::NotText, LineOfOffset(text, std::max<qsizetype>(bad, 0)), 0, 0, 0, {}};
    }
    return ParseAccounts(text, options.column > 0 || IsCsvName(path), options);
}

QStringList NumberedAccounts(const QString& prefix, qint64 first, int digits, qint64 count) {
    QStringList names;
    names.reserve(count);
    for (qint64 i = 0; i < count; ++i)
        names << prefix + QStringLiteral("%1").arg(first + i, digits, 10, QLatin1Char('0'));
    return names;
}
