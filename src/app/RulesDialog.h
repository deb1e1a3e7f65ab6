#pragma once

#include "StoredRunRules.h"

#include <QDialog>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

// 詳細設定: the rules of a site beside the characters of the main window: the symbols class and
// its preset (with the keys that type the same on JIS and US keyboards), a minimum per class,
// the longest run of one character, the first character, and the site's own passwordrules
// text, read as it is typed. OK is refused while that text cannot be used.
class RulesDialog : public QDialog {
    Q_OBJECT
public:
    // strengthOf: what the window's strength label would show with the given choices (the
    // empty text when there is nothing to show, such as an empty length box).
    RulesDialog(const RuleChoices& initial, std::function<QString(const RuleChoices&)> strengthOf,
                QWidget* parent = nullptr);

    // The choices as the controls hold them now.
    RuleChoices choices() const;

private:
    void update();

    std::function<QString(const RuleChoices&)> m_strengthOf;
    QComboBox* m_symbols = nullptr;
    QLabel* m_symbolsNote = nullptr;
    QSpinBox* m_minDigits = nullptr;
    QSpinBox* m_minUpper = nullptr;
    QSpinBox* m_minLower = nullptr;
    QSpinBox* m_minSymbols = nullptr;
    QSpinBox* m_minExtra = nullptr;
    QSpinBox* m_maxRun = nullptr;
    QComboBox* m_first = nullptr;
    QLineEdit* m_passwordRules = nullptr;
    QLabel* m_passwordRulesState = nullptr;
    QLabel* m_strength = nullptr;
    QPushButton* m_ok = nullptr;
};
