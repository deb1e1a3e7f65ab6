#include "HandoutDialog.h"

#include "AccountsInput.h"
#include "CaptionNames.h"
#include "HandoutFile.h"
#include "HandoutFormat.h"
#include "PasswordHasher.h"
#include "ResultItemDelegate.h"
#include "SaveCommand.h"
#include "SaveErrorText.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int kPreviewRows = 5;

const HandoutFormat kFormats[] = {HandoutFormat::Csv, HandoutFormat::Json, HandoutFormat::Chpasswd,
                                  HandoutFormat::Xlsx};

QString askOpenName(QWidget* parent) {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("アカウントのファイル"), QString(),
                                        QStringLiteral("*.csv *.txt;;*"));
}

QString askSaveName(QWidget* parent, const QString& suggestedName) {
    return QFileDialog::getSaveFileName(parent, QStringLiteral("配布用に書き出す"), suggestedName);
}

} // namespace

HandoutDialog::HandoutDialog(const QStringList& passwords, QWidget* parent)
    : QDialog(parent), askAccountsFile(askOpenName), askSaveFile(askSaveName),
      showError(ShowKeymillWarning), m_passwords(passwords) {
    setObjectName(QStringLiteral("handoutDialog"));
    setWindowTitle(QStringLiteral("配布用に書き出す"));

    // The accounts: pasted, from a file, or numbered.
    auto* sources = new QGroupBox(QStringLiteral("アカウント"), this);
    m_pasteSource = new QRadioButton(QStringLiteral("貼り付け(&P)"), sources);
    m_pasteSource->setChecked(true);
    m_pasteBox = new QPlainTextEdit(sources);
    m_pasteBox->setObjectName(QStringLiteral("pasteBox"));
    m_pasteBox->setAccessibleName(QStringLiteral("アカウント (1行に1つ)"));
    m_pasteBox->setTabChangesFocus(true);
    m_pasteBox->setPlaceholderText(QStringLiteral("1行に1つ"));
    m_fileSource = new QRadioButton(QStringLiteral("ファイル(&F)"), sources);
    auto* fileButton = new QPushButton(QStringLiteral("開く(&O)..."), sources);
    m_fileLabel = new QLabel(QStringLiteral("(なし)"), sources);
    m_numberedSource = new QRadioButton(QStringLiteral("連番(&N)"), sources);
    m_prefixBox = new QLineEdit(QStringLiteral("user"), sources);
    m_firstBox = new QSpinBox(sources);
    m_firstBox->setRange(0, 999999999);
    m_firstBox->setValue(1);
    m_digitsBox = new QSpinBox(sources);
    m_digitsBox->setRange(1, 10);
    m_digitsBox->setValue(3);
    m_numberedCountBox = new QSpinBox(sources);
    m_numberedCountBox->setRange(1, 99999);
    m_numberedCountBox->setValue(int(qBound(qsizetype(1), passwords.size(), qsizetype(99999))));

    auto* sourceGrid = new QGridLayout(sources);
    sourceGrid->addWidget(m_pasteSource, 0, 0, Qt::AlignTop);
    sourceGrid->addWidget(m_pasteBox, 0, 1, 1, 4);
    sourceGrid->addWidget(m_fileSource, 1, 0);
    sourceGrid->addWidget(fileButton, 1, 1);
    sourceGrid->addWidget(m_fileLabel, 1, 2, 1, 3);
    sourceGrid->addWidget(m_numberedSource, 2, 0);
    auto* numbered = new QHBoxLayout;
    numbered->addWidget(LabelFor(m_prefixBox, QStringLiteral("接頭辞(&X)"), sources));
    numbered->addWidget(m_prefixBox);
    numbered->addWidget(LabelFor(m_firstBox, QStringLiteral("開始番号(&B)"), sources));
    numbered->addWidget(m_firstBox);
    numbered->addWidget(LabelFor(m_digitsBox, QStringLiteral("桁数(&G)"), sources));
    numbered->addWidget(m_digitsBox);
    numbered->addWidget(LabelFor(m_numberedCountBox, QStringLiteral("個数(&K)"), sources));
    numbered->addWidget(m_numberedCountBox);
    sourceGrid->addLayout(numbered, 2, 1, 1, 4);

    // The format and the hash.
    m_formatBox = new QComboBox(this);
    for (HandoutFormat format : kFormats)
        m_formatBox->addItem(HandoutFormatName(format));
    m_hashBox = new QComboBox(this);
    m_hashBox->addItems({QStringLiteral("なし"), HashSchemeName(HashScheme::Yescrypt),
                         HashSchemeName(HashScheme::Sha512Crypt)});
    auto* options = new QHBoxLayout;
    options->addWidget(LabelFor(m_formatBox, QStringLiteral("形式(&M)"), this));
    options->addWidget(m_formatBox);
    options->addWidget(LabelFor(m_hashBox, QStringLiteral("ハッシュ(&H)"), this));
    options->addWidget(m_hashBox);
    options->addStretch();

    // The first pairs, and what is missing.
    m_preview = new QTableWidget(0, 2, this);
    m_preview->setHorizontalHeaderLabels(
        {QStringLiteral("アカウント"), QStringLiteral("パスワード")});
    m_preview->horizontalHeader()->setStretchLastSection(true);
    m_preview->verticalHeader()->hide();
    // Rows as high as their text, as in the result list, rather than the header's default.
    m_preview->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_preview->setWordWrap(false);
    m_preview->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab leaves the preview instead of walking its cells: nothing in it is edited.
    m_preview->setTabKeyNavigation(false);
    auto* previewLabel = LabelFor(m_preview, QStringLiteral("先頭の組(&V)"), this);
    m_statusLabel = new QLabel(this);
    m_statusLabel->setWordWrap(true);
    m_runAgainButton = new QPushButton(QStringLiteral("アカウントの数で再実行(&R)"), this);

    auto* buttons = new QDialogButtonBox(this);
    m_saveButton = buttons->addButton(QStringLiteral("保存(&S)..."), QDialogButtonBox::ActionRole);
    m_saveButton->setObjectName(QStringLiteral("saveButton"));
    buttons->addButton(QStringLiteral("閉じる"), QDialogButtonBox::RejectRole);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sources);
    layout->addLayout(options);
    layout->addWidget(previewLabel);
    layout->addWidget(m_preview);
    auto* status = new QHBoxLayout;
    status->addWidget(m_statusLabel, 1);
    status->addWidget(m_runAgainButton);
    layout->addLayout(status);
    layout->addWidget(buttons);

    connect(fileButton, &QPushButton::clicked, this, &HandoutDialog::loadFile);
    connect(m_saveButton, &QPushButton::clicked, this, &HandoutDialog::save);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_runAgainButton, &QPushButton::clicked, this,
            [this] { emit runAgainRequested(accounts().size()); });
    for (QRadioButton* source : {m_pasteSource, m_fileSource, m_numberedSource})
        connect(source, &QRadioButton::toggled, this, &HandoutDialog::updatePairs);
    connect(m_pasteBox, &QPlainTextEdit::textChanged, this, &HandoutDialog::updatePairs);
    connect(m_prefixBox, &QLineEdit::textChanged, this, &HandoutDialog::updatePairs);
    for (QSpinBox* box : {m_firstBox, m_digitsBox, m_numberedCountBox})
        connect(box, &QSpinBox::valueChanged, this, &HandoutDialog::updatePairs);
    connect(m_formatBox, &QComboBox::currentIndexChanged, this, &HandoutDialog::updatePairs);
    updatePairs();
    NameAfterCaptions(this);
    resize(640, 480);
}

QStringList HandoutDialog::accounts() {
    m_problem.clear();
    if (m_numberedSource->isChecked())
        return NumberedAccounts(m_prefixBox->text(), m_firstBox->value(), m_digitsBox->value(),
                                m_numberedCountBox->value());
    if (m_fileSource->isChecked())
        return FileAccounts(m_fileAccounts, m_problem);
    return PastedAccounts(m_pasteBox->toPlainText(), m_problem);
}

void HandoutDialog::loadFile() {
    const QString path = askAccountsFile(this);
    if (path.isEmpty())
        return;
    const AccountsOutcome outcome = ReadAccounts(path, {});
    if (const auto* error = std::get_if<AccountError>(&outcome)) {
        showError(this, AccountErrorText(*error));
        return;
    }
    m_fileAccounts = std::get<AccountList>(outcome).names;
    m_fileLabel->setText(
        QStringLiteral("%1 (%2 件)").arg(QFileInfo(path).fileName()).arg(m_fileAccounts.size()));
    m_fileSource->setChecked(true);
    updatePairs();
}

void HandoutDialog::updatePairs() {
    const QStringList names = accounts();
    const QList<HandoutRow> rows = PairPasswords(names, m_passwords);
    m_preview->setRowCount(int(qMin<qsizetype>(rows.size(), kPreviewRows)));
    // Account names keep the window's face; passwords are set in the one that tells l from I.
    const QFont passwordFont = ResultItemDelegate::passwordFont(m_preview->font());
    for (int row = 0; row < m_preview->rowCount(); ++row) {
        m_preview->setItem(row, 0, new QTableWidgetItem(rows[row].account));
        auto* password = new QTableWidgetItem(rows[row].password);
        password->setFont(passwordFont);
        m_preview->setItem(row, 1, password);
    }
    // Room for every row of the preview without a scroll bar.
    if (m_preview->rowCount() > 0) {
        m_preview->resizeRowsToContents();
        m_preview->setMinimumHeight(2 * m_preview->frameWidth() +
                                    m_preview->horizontalHeader()->sizeHint().height() +
                                    kPreviewRows * m_preview->rowHeight(0));
    }
    const qsizetype missing = MissingPasswords(names, m_passwords);
    const qsizetype unfit = FirstUnfitAccount(kFormats[m_formatBox->currentIndex()], names);
    QString status = m_problem;
    if (status.isEmpty() && missing > 0)
        status =
            QStringLiteral("パスワードが %1 個足りません (アカウント %2 件、パスワード %3 個)。")
                .arg(missing)
                .arg(names.size())
                .arg(m_passwords.size());
    else if (status.isEmpty() && unfit >= 0)
        status = QStringLiteral("アカウント「%1」はこの形式で書けません。").arg(names[unfit]);
    else if (status.isEmpty())
        status = QStringLiteral("%1 件を書き出します。").arg(names.size());
    m_statusLabel->setText(status);
    m_statusLabel->setAccessibleName(status);
    m_runAgainButton->setVisible(m_problem.isEmpty() && missing > 0);
    m_saveButton->setEnabled(m_problem.isEmpty() && missing == 0 && unfit < 0 && !names.isEmpty());
}

void HandoutDialog::save() {
    const HandoutFormat format = kFormats[m_formatBox->currentIndex()];
    const QString path = askSaveFile(this, QStringLiteral("accounts.") + HandoutFormatName(format));
    if (path.isEmpty())
        return;
    QList<HandoutRow> rows = PairPasswords(accounts(), m_passwords);
    const bool hashed = m_hashBox->currentIndex() > 0;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (hashed) {
        PasswordHasher hasher(m_hashBox->currentIndex() == 1 ? HashScheme::Yescrypt
                                                             : HashScheme::Sha512Crypt);
        for (HandoutRow& row : rows) {
            const std::optional<QString> hash = hasher.hash(row.password);
            if (!hash) {
                QApplication::restoreOverrideCursor();
                showError(this, SaveErrorText(ErrnoOutcome(hasher.errorNumber())));
                return;
            }
            row.hash = *hash;
        }
    }
    const WriteOutcome outcome = WriteHandoutFile(path, format, {true, hashed}, rows);
    QApplication::restoreOverrideCursor();
    if (!outcome.ok())
        showError(this, SaveErrorText(outcome));
}
