#include "HandoutFormat.h"

#include <algorithm>

namespace {

struct NamedFormat {
    HandoutFormat format;
    const char16_t* name;
};
constexpr NamedFormat kFormats[] = {
    {HandoutFormat::Plain, u"plain"}, {HandoutFormat::Csv, u"csv"},
    {HandoutFormat::Json, u"json"},   {HandoutFormat::Chpasswd, u"chpasswd"},
    {HandoutFormat::Xlsx, u"xlsx"},
};

QString CsvField(const QString& text) {
    if (!text.contains(u',') && !text.contains(u'"') && !text.contains(u'\r') &&
        !text.contains(u'\n'))
        return text;
    QString quoted = text;
    quoted.replace(u'"', QStringLiteral("\"\""));
    return u'"' + quoted + u'"';
}

// A JSON string: quotes and backslashes escaped, control characters as \u00XX; the rest as it is
// (the file is UTF-8).
QString JsonString(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    out += u'"';
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'"':
            out += QStringLiteral("\\\"");
            break;
        case u'\\':
            out += QStringLiteral("\\\\");
            break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                out += c;
        }
    }
    out += u'"';
    return out;
}

} // namespace

std::optional<HandoutFormat> HandoutFormatNamed(QStringView name) {
    for (const NamedFormat& f : kFormats) {
        if (name.compare(QStringView(f.name), Qt::CaseInsensitive) == 0)
            return f.format;
    }
    return std::nullopt;
}

QString HandoutFormatName(HandoutFormat format) {
    for (const NamedFormat& f : kFormats) {
        if (f.format == format)
            return QString::fromUtf16(f.name);
    }
    return QString();
}

QList<HandoutRow> PairPasswords(const QStringList& accounts, const QStringList& passwords) {
    QList<HandoutRow> rows;
    const qsizetype count =
        accounts.isEmpty() ? passwords.size() : std::min(accounts.size(), passwords.size());
    rows.reserve(count);
    for (qsizetype i = 0; i < count; ++i)
        rows.append({accounts.isEmpty() ? QString() : accounts[i], passwords[i], QString()});
    return rows;
}

qsizetype MissingPasswords(const QStringList& accounts, const QStringList& passwords) {
    return std::max<qsizetype>(accounts.size() - passwords.size(), 0);
}

qsizetype FirstUnfitAccount(HandoutFormat format, const QStringList& accounts) {
    if (format != HandoutFormat::Chpasswd)
        return -1;
    const auto unfit = std::find_if(accounts.cbegin(), accounts.cend(), [](const QString& name) {
        return name.contains(u':') || name.contains(u'\n') || name.contains(u'\r');
    });
    return unfit == accounts.cend() ? -1 : unfit - accounts.cbegin();
}

bool SpreadsheetMayAlter(QStringView password) {
    return !password.isEmpty() && QStringView(u"=+-@0").contains(password.front());
}

QString HandoutHeaderText(HandoutFormat format, HandoutColumns columns) {
    if (format != HandoutFormat::Csv)
        return QString();
    QStringList names;
    if (columns.account)
        names << QStringLiteral("account");
    names << QStringLiteral("password");
    if (columns.hash)
        names << QStringLiteral("hash");
    return QChar(0xFEFF) + names.join(u',') + QStringLiteral("\r\n");
}

QString HandoutRowText(HandoutFormat format, HandoutColumns columns, const HandoutRow& row) {
    switch (format) {
    case HandoutFormat::Csv: {
        QString line;
        if (columns.account)
            line += CsvField(row.account) + u',';
        line += CsvField(row.password);
        if (columns.hash)
            line += u',' + CsvField(row.hash);
        return line + QStringLiteral("\r\n");
    }
    case HandoutFormat::Json: {
        QString line(1, u'{');
        if (columns.account)
            line += QStringLiteral("\"account\":") + JsonString(row.account) + u',';
        line += QStringLiteral("\"password\":") + JsonString(row.password);
        if (columns.hash)
            line += QStringLiteral(",\"hash\":") + JsonString(row.hash);
        return line + QStringLiteral("}\n");
    }
    case HandoutFormat::Chpasswd:
        return row.account + u':' + (columns.hash ? row.hash : row.password) + u'\n';
    case HandoutFormat::Plain:
    case HandoutFormat::Xlsx:
        break;
    }
    return row.password + u'\n';
}
