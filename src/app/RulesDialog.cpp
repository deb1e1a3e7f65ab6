#include "RulesDialog.h"

#include "CaptionNames.h"

#include "PasswordFont.h"
#include "PasswordLimits.h"
#include "SymbolSets.h"

#include <QColor>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

// "! # $": characters with a blank between them, as a person reads them off a key.
QString Spaced(const QString& characters) {
    QStringList list;
    for (QChar c : characters)
        list << QString(c);
    return list.join(u' ');
}

QString SymbolSetNote(SymbolSet set) {
    switch (set) {
    case SymbolSet::None:
        break;
    case SymbolSet::JisUs:
        return QStringLiteral("JIS と US のキーボードで同じキー・同じシフト段にある 12 個です。"
                              "どちらのキーボードで打っても同じパスワードになります。");
    case SymbolSet::Ascii:
        return QStringLiteral("ASCII の記号 32 個すべてです。@ や \" のように、JIS と US で"
                              "打つキーが変わる記号も含みます。");
    case SymbolSet::Url:
        return QStringLiteral("URL の中でそのまま使える 4 個です。");
    case SymbolSet::Shell:
        return QStringLiteral("POSIX シェルで引用符なしに書ける 10 個です。");
    }
    return QStringLiteral("記号の種類を使いません（任意文字登録の記号は使えます）。");
}

QSpinBox* CountBox(const char* name, const QString& noneText, const QString& suffix) {
    auto* box = new QSpinBox;
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(0, kMaxPasswordLength);
    box->setSpecialValueText(noneText); // 0 gives no rule
    box->setSuffix(suffix);
    // An emptied box is 0, no rule, rather than the number it held before.
    box->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    return box;
}

// The keys whose symbols are the same on JIS and US keyboards, one row per group of keys.
QTableWidget* SharedKeysTable(const QFont& symbolsFont) {
    const QList<SharedSymbolKeys> rows = JisUsSymbolKeys();
    auto* table = new QTableWidget(int(rows.size()), 3);
    table->setObjectName(QStringLiteral("sharedKeysTable"));
    table->setHorizontalHeaderLabels(
        {QStringLiteral("キー"), QStringLiteral("Shift なし"), QStringLiteral("Shift あり")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setTabKeyNavigation(false);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QString differs = QStringLiteral("（JIS と US で違う）");
    for (int row = 0; row < rows.size(); ++row) {
        const SharedSymbolKeys& keys = rows[row];
        // A key's symbols in the passwords' face; the notes in the window's.
        const QString keyCells[] = {keys.caps, Spaced(keys.plain), Spaced(keys.shifted)};
        const QString notes[] = {QString(), QStringLiteral("（数字）"), differs};
        for (int column = 0; column < 3; ++column) {
            const bool note = keyCells[column].isEmpty();
            auto* item = new QTableWidgetItem(note ? notes[column] : keyCells[column]);
            item->setTextAlignment(Qt::AlignCenter);
            if (!note)
                item->setFont(symbolsFont);
            table->setItem(row, column, item);
        }
    }
    table->resizeColumnsToContents();
    table->resizeRowsToContents();
    // Shown whole, without scrolling.
    int width = 2 * table->frameWidth();
    for (int column = 0; column < 3; ++column)
        width += table->columnWidth(column);
    int height = 2 * table->frameWidth() + table->horizontalHeader()->sizeHint().height();
    for (int row = 0; row < rows.size(); ++row)
        height += table->rowHeight(row);
    table->setFixedSize(width, height);
    return table;
}

// "8～8", "8 以上", "64 まで" or "指定なし" for a site's lengths.
QString LengthRange(const SiteRules& rules) {
    if (rules.minLength > 0 && rules.maxLength > 0)
        return QStringLiteral("%1～%2").arg(rules.minLength).arg(rules.maxLength);
    if (rules.minLength > 0)
        return QStringLiteral("%1 以上").arg(rules.minLength);
    if (rules.maxLength > 0)
        return QStringLiteral("%1 まで").arg(rules.maxLength);
    return QStringLiteral("指定なし");
}

} // namespace

RulesDialog::RulesDialog(const RuleChoices& initial,
                         std::function<QString(const RuleChoices&)> strengthOf, QWidget* parent)
    : QDialog(parent), m_strengthOf(std::move(strengthOf)) {
    setObjectName(QStringLiteral("rulesDialog"));
    setWindowTitle(QStringLiteral("詳細設定"));

    // The symbols in the face of the passwords, where \ is no yen sign and | no l.
    const QFont symbolsFont = PasswordFont(font().pointSizeF());

    // The symbols class, with the keys that type the same on both keyboards beside it.
    m_symbols = new QComboBox;
    m_symbols->setFont(symbolsFont);
    m_symbols->setObjectName(QStringLiteral("symbolsBox"));
    m_symbols->addItem(QStringLiteral("なし"), int(SymbolSet::None));
    for (const QString& name : SymbolSetNames()) {
        const SymbolSet set = *SymbolSetNamed(name);
        m_symbols->addItem(QStringLiteral("%1（%2）").arg(name, Spaced(SymbolCharacters(set))),
                           int(set));
    }
    m_symbolsNote = new QLabel;
    m_symbolsNote->setObjectName(QStringLiteral("symbolsNote"));
    m_symbolsNote->setWordWrap(true);
    QTableWidget* keys = SharedKeysTable(symbolsFont);
    auto* symbolsForm = new QVBoxLayout;
    symbolsForm->addWidget(LabelFor(m_symbols, QStringLiteral("記号の種類(&S):")));
    symbolsForm->addWidget(m_symbols);
    symbolsForm->addWidget(m_symbolsNote);
    symbolsForm->addStretch();
    auto* keysColumn = new QVBoxLayout;
    keysColumn->addWidget(LabelFor(keys, QStringLiteral("JIS と US で同じキーの記号(&K):")));
    keysColumn->addWidget(keys);
    keysColumn->addStretch();
    auto* symbolsFrame = new QGroupBox(QStringLiteral("記号"));
    auto* symbolsRow = new QHBoxLayout(symbolsFrame);
    symbolsRow->addLayout(symbolsForm, 1);
    symbolsRow->addLayout(keysColumn);

    // At least so many of each class.
    const QString none = QStringLiteral("指定なし");
    const QString atLeast = QStringLiteral(" 文字以上");
    m_minDigits = CountBox("minDigitsBox", none, atLeast);
    m_minUpper = CountBox("minUpperBox", none, atLeast);
    m_minLower = CountBox("minLowerBox", none, atLeast);
    m_minSymbols = CountBox("minSymbolsBox", none, atLeast);
    m_minExtra = CountBox("minExtraBox", none, atLeast);
    auto* minimumsFrame = new QGroupBox(QStringLiteral("種類ごとの最低文字数"));
    auto* minimums = new QFormLayout(minimumsFrame);
    minimums->addRow(LabelFor(m_minDigits, QStringLiteral("数字(&N):")), m_minDigits);
    minimums->addRow(LabelFor(m_minUpper, QStringLiteral("アルファベット大文字(&L):")), m_minUpper);
    minimums->addRow(LabelFor(m_minLower, QStringLiteral("アルファベット小文字(&F):")), m_minLower);
    minimums->addRow(LabelFor(m_minSymbols, QStringLiteral("記号(&M):")), m_minSymbols);
    minimums->addRow(LabelFor(m_minExtra, QStringLiteral("任意文字(&I):")), m_minExtra);

    // The longest run and the first character.
    m_maxRun = CountBox("maxRunBox", QStringLiteral("制限なし"), QStringLiteral(" 文字まで"));
    m_first = new QComboBox;
    m_first->setObjectName(QStringLiteral("firstBox"));
    m_first->addItem(QStringLiteral("制限なし"), int(FirstCharacter::Any));
    m_first->addItem(QStringLiteral("アルファベット"), int(FirstCharacter::Letter));
    m_first->addItem(QStringLiteral("アルファベットか数字"), int(FirstCharacter::Alnum));
    auto* othersFrame = new QGroupBox(QStringLiteral("並びの規則"));
    auto* others = new QFormLayout(othersFrame);
    others->addRow(LabelFor(m_maxRun, QStringLiteral("同じ文字の連続(&R):")), m_maxRun);
    others->addRow(LabelFor(m_first, QStringLiteral("先頭の文字(&T):")), m_first);
    auto* countsRow = new QHBoxLayout;
    countsRow->addWidget(minimumsFrame, 1);
    countsRow->addWidget(othersFrame, 1, Qt::AlignTop);

    // A site's own rules, read as they are typed.
    m_passwordRules = new QLineEdit;
    m_passwordRules->setObjectName(QStringLiteral("passwordRulesBox"));
    m_passwordRules->setFont(symbolsFont);
    m_passwordRules->setPlaceholderText(
        QStringLiteral("例: minlength: 8; required: upper; required: digit; allowed: lower"));
    m_passwordRulesState = new QLabel;
    m_passwordRulesState->setObjectName(QStringLiteral("passwordRulesState"));
    m_passwordRulesState->setWordWrap(true);
    m_passwordRulesState->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* siteFrame = new QGroupBox(QStringLiteral("サイトのパスワードルール"));
    auto* site = new QVBoxLayout(siteFrame);
    site->addWidget(LabelFor(m_passwordRules, QStringLiteral("passwordrules の書き方で(&P):")));
    site->addWidget(m_passwordRules);
    site->addWidget(m_passwordRulesState);

    m_strength = new QLabel;
    m_strength->setObjectName(QStringLiteral("rulesStrength"));
    m_strength->setWordWrap(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    m_ok->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(symbolsFrame);
    layout->addLayout(countsRow);
    layout->addWidget(siteFrame);
    layout->addWidget(m_strength);
    layout->addWidget(buttons);

    const QList<QWidget*> order = {
        m_symbols,       keys,       m_minDigits,
        m_minUpper,      m_minLower, m_minSymbols,
        m_minExtra,      m_maxRun,   m_first,
        m_passwordRules, m_ok,       buttons->button(QDialogButtonBox::Cancel)};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);

    m_symbols->setCurrentIndex(m_symbols->findData(int(initial.symbols)));
    m_minDigits->setValue(initial.minimums.digits);
    m_minUpper->setValue(initial.minimums.upper);
    m_minLower->setValue(initial.minimums.lower);
    m_minSymbols->setValue(initial.minimums.symbols);
    m_minExtra->setValue(initial.minimums.extra);
    m_maxRun->setValue(initial.maxRun);
    m_first->setCurrentIndex(m_first->findData(int(initial.first)));
    m_passwordRules->setText(initial.passwordRules);

    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (choices().passwordRulesProblem().isEmpty())
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    for (QComboBox* box : {m_symbols, m_first})
        connect(box, &QComboBox::currentIndexChanged, this, &RulesDialog::update);
    for (QSpinBox* box : {m_minDigits, m_minUpper, m_minLower, m_minSymbols, m_minExtra, m_maxRun})
        connect(box, &QSpinBox::valueChanged, this, &RulesDialog::update);
    connect(m_passwordRules, &QLineEdit::textChanged, this, &RulesDialog::update);
    update();
}

RuleChoices RulesDialog::choices() const {
    RuleChoices choices;
    choices.symbols = SymbolSet(m_symbols->currentData().toInt());
    choices.minimums = {m_minDigits->value(), m_minUpper->value(), m_minLower->value(),
                        m_minSymbols->value(), m_minExtra->value()};
    choices.maxRun = m_maxRun->value();
    choices.first = FirstCharacter(m_first->currentData().toInt());
    choices.passwordRules = m_passwordRules->text();
    return choices;
}

void RulesDialog::update() {
    const RuleChoices now = choices();
    m_symbolsNote->setText(SymbolSetNote(now.symbols));

    // The site's text: what is wrong with it, or what was read.
    const QString problem = now.passwordRulesProblem();
    QString state;
    if (!problem.isEmpty()) {
        state = QStringLiteral("読めないか満たせない部分があります: %1").arg(problem);
    } else if (!now.passwordRules.trimmed().isEmpty()) {
        const SiteRules rules = *ParseSiteRules(now.passwordRules).rules;
        state = QStringLiteral("読み取りました（使う文字 %1 種類、文字数 %2）。記号と含める文字の"
                               "代わりに、このルールの文字を使います。")
                    .arg(rules.characters().size())
                    .arg(LengthRange(rules));
    }
    m_passwordRulesState->setText(state);
    m_passwordRulesState->setVisible(!state.isEmpty());
    QPalette palette = m_passwordRulesState->palette();
    palette.setColor(QPalette::WindowText, problem.isEmpty()
                                               ? this->palette().color(QPalette::WindowText)
                                               : QColor(0xB0, 0x00, 0x20));
    m_passwordRulesState->setPalette(palette);
    m_passwordRulesState->setAccessibleName(state);
    m_passwordRules->setAccessibleDescription(state);
    m_ok->setEnabled(problem.isEmpty());

    // What the window's strength label will show.
    QString strength;
    if (!problem.isEmpty())
        strength = QStringLiteral("（パスワードルールを直すと、ここに強度を表示します）");
    else if (m_strengthOf)
        strength = m_strengthOf(now);
    if (strength.isEmpty())
        strength = QStringLiteral("（文字数を入力すると、ここに強度を表示します）");
    m_strength->setText(QStringLiteral("次の生成: %1").arg(strength));
    m_strength->setAccessibleName(m_strength->text());
}
