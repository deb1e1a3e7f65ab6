#include "SlipSettings.h"

#include <QChar>

QString DefaultSlipTitle() {
    return QStringLiteral("アカウントのお知らせ");
}

QString DefaultSlipNote() {
    return QStringLiteral("初回ログイン後にパスワードを変更してください。");
}

std::vector<SlipEntry> SlipEntries(const QStringList& accounts, const QStringList& passwords) {
    std::vector<SlipEntry> entries;
    entries.reserve(passwords.size());
    for (qsizetype i = 0; i < passwords.size(); ++i) {
        const QString account = i < accounts.size() ? accounts[i] : QString();
        if (account.isEmpty())
            entries.push_back({QStringLiteral("No. %1").arg(i + 1), passwords[i], true});
        else
            entries.push_back({account, passwords[i], false});
    }
    return entries;
}

QString CharacterKindMark(char32_t character) {
    if (QChar::isUpper(character))
        return QStringLiteral("大");
    if (QChar::isLower(character))
        return QStringLiteral("小");
    if (QChar::isDigit(character))
        return QStringLiteral("数");
    if (QChar::isPunct(character) || QChar::isSymbol(character))
        return QStringLiteral("記");
    return QStringLiteral("他");
}
