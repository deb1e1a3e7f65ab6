#include "PasswordRules.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr qint32 kDefaultSiteLength = 16;

AsciiSet Range(char from, char to) {
    AsciiSet set;
    for (int c = from; c <= to; ++c)
        set.set(size_t(c));
    return set;
}

AsciiSet Printable() {
    return Range(' ', '~');
}

AsciiSet Alnum() {
    return Range('0', '9') | Range('A', 'Z') | Range('a', 'z');
}

std::optional<AsciiSet> NamedClass(const QString& name) {
    if (name == u"upper")
        return Range('A', 'Z');
    if (name == u"lower")
        return Range('a', 'z');
    if (name == u"digit")
        return Range('0', '9');
    if (name == u"special")
        return Printable() & ~Alnum();
    if (name == u"ascii-printable" || name == u"unicode")
        return Printable();
    return std::nullopt;
}

// "upper, [#$], digit": the union of its classes; nothing when one cannot be read.
std::optional<AsciiSet> ReadSets(const QString& value) {
    AsciiSet set;
    bool any = false;
    for (qsizetype i = 0; i < value.size();) {
        const QChar c = value[i];
        if (c.isSpace() || c == u',') {
            ++i;
            continue;
        }
        if (c == u'[') {
            const qsizetype end = value.indexOf(u']', i + 1);
            if (end < 0)
                return std::nullopt;
            for (qsizetype j = i + 1; j < end; ++j) {
                const char16_t u = value[j].unicode();
                if (u >= 0x20 && u < 0x7F)
                    set.set(size_t(u)); // other characters are ignored, as sites expect
            }
            any = true;
            i = end + 1;
            continue;
        }
        qsizetype end = i;
        while (end < value.size() && value[end] != u',' && !value[end].isSpace())
            ++end;
        const auto named = NamedClass(value.mid(i, end - i).toLower());
        if (!named)
            return std::nullopt;
        set |= *named;
        any = true;
        i = end;
    }
    if (!any)
        return std::nullopt;
    return set;
}

std::optional<qint32> ReadCount(const QString& value) {
    const QString digits = value.trimmed();
    if (digits.isEmpty() || digits.size() > 9 ||
        !std::all_of(digits.cbegin(), digits.cend(),
                     [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    return digits.toInt();
}

} // namespace

std::optional<FirstCharacter> FirstCharacterNamed(const QString& name) {
    if (name.isEmpty())
        return FirstCharacter::Any;
    if (name == u"letter")
        return FirstCharacter::Letter;
    if (name == u"alnum")
        return FirstCharacter::Alnum;
    return std::nullopt;
}

QString FirstCharacterName(FirstCharacter first) {
    switch (first) {
    case FirstCharacter::Letter:
        return QStringLiteral("letter");
    case FirstCharacter::Alnum:
        return QStringLiteral("alnum");
    case FirstCharacter::Any:
        break;
    }
    return QString();
}

bool MayStart(FirstCharacter first, QStringView character) {
    if (first == FirstCharacter::Any)
        return true;
    if (character.size() != 1)
        return false;
    const char16_t c = character[0].unicode();
    const bool letter = (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
    return letter || (first == FirstCharacter::Alnum && c >= u'0' && c <= u'9');
}

QString SiteRules::characters() const {
    AsciiSet all = allowed;
    for (const AsciiSet& set : required)
        all |= set;
    if (all.none())
        all = Printable();
    QString text;
    for (size_t c = 0; c < all.size(); ++c) {
        if (all.test(c))
            text += QChar(char16_t(c));
    }
    return text;
}

qint32 SiteRules::defaultLength() const {
    const qint32 length = std::max(minLength, kDefaultSiteLength);
    return maxLength > 0 ? std::min(maxLength, length) : length;
}

SiteRulesParse ParseSiteRules(const QString& text) {
    SiteRulesParse parsed;
    SiteRules rules;
    QString maxLengthPart;
    // A ";" inside a custom set is a character, not the end of the rule.
    QStringList parts;
    QString part;
    bool inSet = false;
    for (QChar c : text) {
        if (c == u'[')
            inSet = true;
        else if (c == u']')
            inSet = false;
        if (c == u';' && !inSet) {
            parts << part;
            part.clear();
        } else {
            part += c;
        }
    }
    parts << part;
    for (const QString& raw : parts) {
        const QString rule = raw.trimmed();
        if (rule.isEmpty())
            continue;
        const qsizetype colon = rule.indexOf(u':');
        const QString name = colon < 0 ? rule.toLower() : rule.left(colon).trimmed().toLower();
        const QString value = colon < 0 ? QString() : rule.mid(colon + 1);
        const auto refuse = [&] {
            parsed.badPart = rule;
            return parsed;
        };
        if (colon < 0)
            return refuse();
        if (name == u"required" || name == u"allowed") {
            const auto set = ReadSets(value);
            if (!set)
                return refuse();
            if (name == u"allowed") {
                rules.allowed |= *set;
            } else {
                rules.required.push_back(*set);
                rules.requiredParts.push_back(rule);
            }
        } else if (name == u"minlength" || name == u"maxlength" || name == u"max-consecutive") {
            const auto count = ReadCount(value);
            if (!count || (*count == 0 && name != u"minlength"))
                return refuse();
            if (name == u"minlength") {
                rules.minLength = std::max(rules.minLength, *count);
            } else if (name == u"maxlength") {
                rules.maxLength = rules.maxLength ? std::min(rules.maxLength, *count) : *count;
                maxLengthPart = rule;
            } else {
                rules.maxConsecutive =
                    rules.maxConsecutive ? std::min(rules.maxConsecutive, *count) : *count;
            }
        } else {
            return refuse();
        }
    }
    if (rules.maxLength > 0 && rules.maxLength < rules.minLength) {
        parsed.badPart = maxLengthPart;
        return parsed;
    }
    parsed.rules = rules;
    return parsed;
}
