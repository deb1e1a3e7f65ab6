#include "SlipsDialog.h"

#include "AccountsInput.h"
#include "CaptionNames.h"
#include "SaveCommand.h"
#include "SaveErrorText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace {

enum AccountMode { NoAccounts, Pasted, FromFile, Numbered };

QString AskOpenAccounts(QWidget* parent) {
    return QFileDialog::getOpenFileName(
        parent, QStringLiteral("アカウントの読み込み"), QString(),
        QStringLiteral("テキストファイル (*.txt *.csv);;すべてのファイル (*)"));
}

QString AskSavePdf(QWidget* parent) {
    QString path = QFileDialog::getSaveFileName(parent, QStringLiteral("PDFに保存"),
                                                QStringLiteral("配布用カード.pdf"),
                                                QStringLiteral("PDF ファイル (*.pdf)"));
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".pdf");
    return path;
}

} // namespace

SlipsDialog::SlipsDialog(const QStringList& passwords, QWidget* parent)
    : QDialog(parent), askAccountsFile(AskOpenAccounts), askPdfFile(AskSavePdf),
      showError(ShowKeymillWarning), m_passwords(passwords) {
    setObjectName(QStringLiteral("slipsDialog"));
    setWindowTitle(QStringLiteral("配布用カード"));
    const SlipSettings defaults;

    m_mode = new QComboBox;
    m_mode->setObjectName(QStringLiteral("accountMode"));
    m_mode->addItems({QStringLiteral("なし (No. 1, 2, … と番号を付ける)"),
                      QStringLiteral("貼り付け"), QStringLiteral("ファイルから読み込む"),
                      QStringLiteral("連番")});

    m_modePages = new QStackedWidget;
    m_modePages->addWidget(new QWidget);

    m_pasted = new QPlainTextEdit;
    m_pasted->setObjectName(QStringLiteral("pastedAccounts"));
    m_pasted->setTabChangesFocus(true);
    m_pasted->setPlaceholderText(QStringLiteral("1行に1つのアカウント"));
    auto* pastedPage = new QWidget;
    auto* pastedLayout = new QFormLayout(pastedPage);
    pastedLayout->setContentsMargins(0, 0, 0, 0);
    pastedLayout->addRow(LabelFor(m_pasted, QStringLiteral("アカウント一覧(&L):")), m_pasted);
    m_modePages->addWidget(pastedPage);

    auto* open = new QPushButton(QStringLiteral("ファイルを開く(&O)..."));
    open->setObjectName(QStringLiteral("openAccounts"));
    m_fileName = new QLabel(QStringLiteral("(ファイルが選ばれていません)"));
    m_fileName->setObjectName(QStringLiteral("accountsFileName"));
    auto* filePage = new QWidget;
    auto* fileLayout = new QHBoxLayout(filePage);
    fileLayout->setContentsMargins(0, 0, 0, 0);
    fileLayout->addWidget(open);
    fileLayout->addWidget(m_fileName, 1);
    m_modePages->addWidget(filePage);

    m_prefix = new QLineEdit(QStringLiteral("user"));
    m_prefix->setObjectName(QStringLiteral("numberPrefix"));
    m_first = new QSpinBox;
    m_first->setObjectName(QStringLiteral("firstNumber"));
    m_first->setRange(0, 999999999);
    m_first->setValue(1);
    m_digits = new QSpinBox;
    m_digits->setObjectName(QStringLiteral("numberDigits"));
    m_digits->setRange(1, 9);
    m_digits->setValue(3);
    auto* numberedPage = new QWidget;
    auto* numberedLayout = new QFormLayout(numberedPage);
    numberedLayout->setContentsMargins(0, 0, 0, 0);
    numberedLayout->addRow(LabelFor(m_prefix, QStringLiteral("先頭の文字(&R):")), m_prefix);
    numberedLayout->addRow(LabelFor(m_first, QStringLiteral("開始番号(&B):")), m_first);
    numberedLayout->addRow(LabelFor(m_digits, QStringLiteral("桁数(&G):")), m_digits);
    m_modePages->addWidget(numberedPage);

    m_accountsState = new QLabel;
    m_accountsState->setObjectName(QStringLiteral("accountsState"));
    m_accountsState->setWordWrap(true);

    m_perPage = new QComboBox;
    m_perPage->setObjectName(QStringLiteral("slipsPerPage"));
    for (int n : {8, 10, 12})
        m_perPage->addItem(QStringLiteral("%1 枚").arg(n), n);
    m_perPage->setCurrentIndex(m_perPage->findData(defaults.slipsPerPage));
    m_title = new QLineEdit(defaults.title);
    m_title->setObjectName(QStringLiteral("slipTitle"));
    m_note = new QLineEdit(defaults.note);
    m_note->setObjectName(QStringLiteral("slipNote"));
    m_date = new QDateEdit(defaults.issueDate);
    m_date->setObjectName(QStringLiteral("issueDate"));
    m_date->setCalendarPopup(true);
    m_date->setDisplayFormat(QStringLiteral("yyyy年M月d日"));
    m_groups = new QCheckBox(QStringLiteral("4文字ごとに区切る(&4)"));
    m_groups->setObjectName(QStringLiteral("groupsOfFour"));
    m_groups->setChecked(defaults.groupsOfFour);
    m_kinds = new QCheckBox(QStringLiteral("文字の種類を表示(&K)"));
    m_kinds->setObjectName(QStringLiteral("characterKinds"));
    m_kinds->setChecked(defaults.kinds);

    auto* form = new QFormLayout;
    form->addRow(LabelFor(m_mode, QStringLiteral("アカウント(&A):")), m_mode);
    form->addRow(m_modePages);
    form->addRow(m_accountsState);
    form->addRow(LabelFor(m_perPage, QStringLiteral("1ページの枚数(&N):")), m_perPage);
    form->addRow(LabelFor(m_title, QStringLiteral("タイトル(&T):")), m_title);
    form->addRow(LabelFor(m_note, QStringLiteral("注意書き(&M):")), m_note);
    form->addRow(LabelFor(m_date, QStringLiteral("発行日(&D):")), m_date);
    form->addRow(m_groups);
    form->addRow(m_kinds);

    auto* previewButton = new QPushButton(QStringLiteral("プレビュー"));
    previewButton->setObjectName(QStringLiteral("previewSlips"));
    auto* printButton = new QPushButton(QStringLiteral("印刷..."));
    printButton->setObjectName(QStringLiteral("printSlips"));
    auto* pdfButton = new QPushButton(QStringLiteral("PDFに保存..."));
    pdfButton->setObjectName(QStringLiteral("saveSlipsPdf"));
    auto* closeButton = new QPushButton(QStringLiteral("閉じる"));
    closeButton->setObjectName(QStringLiteral("closeSlips"));
    m_outputButtons = {previewButton, printButton, pdfButton};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* button : {previewButton, printButton, pdfButton, closeButton}) {
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);

    connect(m_mode, &QComboBox::currentIndexChanged, this, [this](int mode) {
        showAccountPage(mode);
        updateAccounts();
    });
    connect(m_pasted, &QPlainTextEdit::textChanged, this, &SlipsDialog::updateAccounts);
    connect(open, &QPushButton::clicked, this, &SlipsDialog::loadAccountsFile);
    connect(m_prefix, &QLineEdit::textChanged, this, &SlipsDialog::updateAccounts);
    connect(m_first, &QSpinBox::valueChanged, this, &SlipsDialog::updateAccounts);
    connect(m_digits, &QSpinBox::valueChanged, this, &SlipsDialog::updateAccounts);
    connect(previewButton, &QPushButton::clicked, this, &SlipsDialog::preview);
    connect(printButton, &QPushButton::clicked, this, &SlipsDialog::print);
    connect(pdfButton, &QPushButton::clicked, this, &SlipsDialog::savePdf);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    // The captions of the account pages line up with those of the dialog's own rows.
    int captionWidth = 0;
    for (const QLabel* label : findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            captionWidth = std::max(captionWidth, label->sizeHint().width());
    for (QLabel* label : findChildren<QLabel*>())
        if (label->buddy() != nullptr)
            label->setMinimumWidth(captionWidth);
    showAccountPage(m_mode->currentIndex());
    updateAccounts();
    NameAfterCaptions(this);
}

// The page of the chosen accounts is as high as its own fields: the others leave no gap.
void SlipsDialog::showAccountPage(int mode) {
    for (int page = 0; page < m_modePages->count(); ++page)
        m_modePages->widget(page)->setSizePolicy(
            QSizePolicy::Preferred, page == mode ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    m_modePages->setCurrentIndex(mode);
    if (isVisible())
        adjustSize();
}

SlipSettings SlipsDialog::settings() const {
    SlipSettings settings;
    settings.title = m_title->text();
    settings.note = m_note->text();
    settings.issueDate = m_date->date();
    settings.slipsPerPage = m_perPage->currentData().toInt();
    settings.groupsOfFour = m_groups->isChecked();
    settings.kinds = m_kinds->isChecked();
    return settings;
}

std::vector<SlipEntry> SlipsDialog::entries() const {
    if (!m_accountsUsable)
        return {};
    return SlipEntries(m_accounts, m_passwords);
}

void SlipsDialog::loadAccountsFile() {
    const QString path = askAccountsFile(this);
    if (path.isEmpty())
        return;
    const AccountsOutcome outcome = ReadAccounts(path, {});
    if (const auto* error = std::get_if<AccountError>(&outcome)) {
        showError(this,
                  QFileInfo(path).fileName() + QStringLiteral(": ") + AccountErrorText(*error));
        return;
    }
    m_fileAccounts = std::get<AccountList>(outcome).names;
    m_fileName->setText(QFileInfo(path).fileName());
    updateAccounts();
}

// The accounts of the chosen mode, and whether the slips can be made from them.
void SlipsDialog::updateAccounts() {
    QString problem;
    m_accounts.clear();
    switch (m_mode->currentIndex()) {
    case Pasted:
        m_accounts = PastedAccounts(m_pasted->toPlainText(), problem);
        break;
    case FromFile:
        m_accounts = FileAccounts(m_fileAccounts, problem);
        break;
    case Numbered:
        m_accounts = NumberedAccounts(m_prefix->text(), m_first->value(), m_digits->value(),
                                      m_passwords.size());
        break;
    default:
        break;
    }
    if (problem.isEmpty() && m_accounts.size() > m_passwords.size())
        problem = QStringLiteral("アカウント (%1 件) がパスワード (%2 件) より多いため、"
                                 "カードを作れません。パスワードを %1 個以上作り直してください。")
                      .arg(m_accounts.size())
                      .arg(m_passwords.size());
    m_accountsUsable = problem.isEmpty();
    if (m_accountsUsable)
        m_accountsState->setText(QStringLiteral("%1 枚のカードを作ります (アカウント %2 件)。")
                                     .arg(m_passwords.size())
                                     .arg(m_accounts.size()));
    else
        m_accountsState->setText(problem);
    m_accountsState->setAccessibleName(m_accountsState->text());
    for (QPushButton* button : m_outputButtons)
        button->setEnabled(m_accountsUsable && !m_passwords.isEmpty());
}

void SlipsDialog::preview() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintPreviewDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("配布用カードのプレビュー"));
    // Qt's own size shows a page too small to read: most of the screen's height instead, for a
    // page of A4 and the preview's tools.
    if (const QScreen* screen = this->screen()) {
        const QRect area = screen->availableGeometry();
        const int height = area.height() * 9 / 10;
        dialog.resize(
            std::min(area.width() * 19 / 20, std::max(dialog.sizeHint().width(), height * 4 / 5)),
            height);
    }
    const SlipSettings slipSettings = settings();
    const std::vector<SlipEntry> slips = entries();
    connect(&dialog, &QPrintPreviewDialog::paintRequested, this,
            [&](QPrinter* target) { PaintSlips(*target, slipSettings, slips); });
    dialog.exec();
}

void SlipsDialog::print() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!PaintSlips(printer, settings(), entries()))
        showError(this, QStringLiteral("印刷できませんでした。"));
}

bool SlipsDialog::savePdf() {
    const std::vector<SlipEntry> slips = entries();
    if (slips.empty())
        return false;
    const QString path = askPdfFile(this);
    if (path.isEmpty())
        return false;
    const WriteOutcome outcome = WriteSlipsPdf(path, settings(), slips);
    if (!outcome.ok()) {
        showError(this, SaveErrorText(outcome));
        return false;
    }
    return true;
}
