#pragma once
// What a run of hand-out slips says and how it is set: all a dialog or the command line has to
// fill in before the slips are painted.

#include <QDate>
#include <QString>
#include <QStringList>

#include <vector>

QString DefaultSlipTitle();
QString DefaultSlipNote();

struct SlipSettings {
    QString title = DefaultSlipTitle();
    QString note = DefaultSlipNote();
    QDate issueDate = QDate::currentDate();
    int slipsPerPage = 10; // 8, 10 or 12
    bool groupsOfFour = false;
    bool kinds = false; // a line under the password naming each character's kind
};

// One slip: the account it is for (empty: numbered) and its password.
struct SlipEntry {
    QString account; // "No. n" when numbered
    QString password;
    bool numbered = false;
};

// The slips of a list: passwords[i] goes with accounts[i]; a password without an account is
// numbered ("No. 1", "No. 2", ... by its place in the list).
std::vector<SlipEntry> SlipEntries(const QStringList& accounts, const QStringList& passwords);

// The kind mark read out with a character: 大 upper-case letter, 小 lower-case letter, 数 digit,
// 記 symbol or punctuation, 他 anything else (kana, kanji, a space).
QString CharacterKindMark(char32_t character);
