#include "IniTextEdit.h"

#include "IniValueQuoting.h"

#include <QStringList>

namespace {
enum class LineKind { Other, Section, Key };

struct ParsedLine {
    LineKind kind = LineKind::Other;
    QString name; // section or key name, blanks around it removed
};

QStringView TrimBlanks(QStringView text) {
    while (!text.isEmpty() && IsIniBlank(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && IsIniBlank(text.back()))
        text.chop(1);
    return text;
}

// The same reading of a line as SimpleIni's, which ReadIniValue uses: comments start with
// ";" or "#", a header needs its "]", a key line needs an "=" and a name before it.
ParsedLine ParseLine(QStringView line) {
    line = TrimBlanks(line);
    if (line.isEmpty() || line.front() == u';' || line.front() == u'#')
        return {};
    if (line.front() == u'[') {
        const qsizetype close = line.indexOf(u']');
        if (close < 0)
            return {};
        return {LineKind::Section, TrimBlanks(line.mid(1, close - 1)).toString()};
    }
    const qsizetype equals = line.indexOf(u'=');
    if (equals <= 0)
        return {};
    return {LineKind::Key, TrimBlanks(line.left(equals)).toString()};
}

// SimpleIni folds only ASCII letters; QString's case-insensitive compare folds far more.
bool SameName(QStringView a, QStringView b) {
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        const char16_t x = a[i].unicode();
        const char16_t y = b[i].unicode();
        const auto lower = [](char16_t c) { return (c >= u'A' && c <= u'Z') ? c + 32 : c; };
        if (lower(x) != lower(y))
            return false;
    }
    return true;
}

QStringList SplitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\r' && text[i] != u'\n')
            continue;
        lines << text.mid(start, i - start);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines << text.mid(start);
    return lines;
}
} // namespace

QString SetIniValueInText(const QString& text, const QString& section, const QString& key,
                          const QString& storedValue) {
    QStringList lines = SplitLines(text);
    bool inSection = false;
    int occurrence = 0; // how many headers of the section have been passed
    qsizetype insertAt = -1;
    bool replaced = false;

    for (qsizetype i = 0; i < lines.size(); ++i) {
        const ParsedLine parsed = ParseLine(lines[i]);
        if (parsed.kind == LineKind::Section) {
            inSection = SameName(parsed.name, section);
            if (inSection && ++occurrence == 1)
                insertAt = i + 1;
        } else if (parsed.kind == LineKind::Key && inSection) {
            if (occurrence == 1)
                insertAt = i + 1;
            if (SameName(parsed.name, key)) {
                lines[i] = parsed.name + u'=' + storedValue; // the file's spelling of the name
                replaced = true;
            }
        }
    }

    if (!replaced) {
        const QString line = key + u'=' + storedValue;
        if (insertAt >= 0)
            lines.insert(insertAt, line);
        else
            lines << u'[' + section + u']' << line;
    }
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}
