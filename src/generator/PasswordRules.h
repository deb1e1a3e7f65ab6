#pragma once

#include <QString>
#include <bitset>
#include <optional>
#include <vector>

// The rules a site sets on its passwords, beyond the characters and the length: how many of a
// class at least, how long a run of one character may be, what may come first, and a site's
// own rules in the passwordrules language that sites publish.

// What the first character may be: anything, a letter A-Z a-z, or a letter or a digit 0-9.
enum class FirstCharacter { Any, Letter, Alnum };

// "letter", "alnum" (Any: empty); nothing for any other text.
std::optional<FirstCharacter> FirstCharacterNamed(const QString& name);
QString FirstCharacterName(FirstCharacter first);
// True when c may stand first.
bool MayStart(FirstCharacter first, QStringView character);

// The least number of characters of each class in every password (0: no rule). A character of
// two classes counts for both.
struct ClassMinimums {
    qint32 digits = 0;
    qint32 upper = 0;
    qint32 lower = 0;
    qint32 symbols = 0;
    qint32 extra = 0;
    bool operator==(const ClassMinimums&) const = default;
};

// A set of ASCII characters.
using AsciiSet = std::bitset<128>;

// A site's rules as the passwordrules language writes them:
//   minlength: 8; maxlength: 8; required: upper; required: digit;
//   allowed: lower, [#$+./:=?@^_|~]; max-consecutive: 3
// Each "required" names a set of which every password holds at least one character; the
// password's characters come from the required and allowed sets together (every printable ASCII
// character when neither is given). The classes are upper, lower, digit, special (every
// printable ASCII character that is not a letter or digit, the blank included), ascii-printable
// and unicode; a custom set is written in brackets. unicode is drawn as ascii-printable: only
// characters every keyboard types are drawn.
struct SiteRules {
    qint32 minLength = 0; // 0: none
    qint32 maxLength = 0; // 0: none
    std::vector<AsciiSet> required;
    std::vector<QString> requiredParts; // each "required: ..." as written, for messages
    AsciiSet allowed;
    qint32 maxConsecutive = 0; // 0: none

    // The characters the passwords are drawn from, in code point order.
    QString characters() const;
    // The length without -l: min(maxlength, max(minlength, 16)).
    qint32 defaultLength() const;
};

// The rules, or the part that could not be read or cannot be met ("minlength: x", "maxlength: 4"
// below a minlength of 8).
struct SiteRulesParse {
    std::optional<SiteRules> rules;
    QString badPart;
};
SiteRulesParse ParseSiteRules(const QString& text);
