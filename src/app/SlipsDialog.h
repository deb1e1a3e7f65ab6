#pragma once

#include "SlipPainter.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QStackedWidget;

// 配布用カード: the slips of the current list, one per account, previewed, printed or saved as a
// PDF. The accounts come from nowhere (numbered slips), pasted text, a file or a numbered series.
// The file dialogs and the error box are replaceable so that tests show none of them.
class SlipsDialog : public QDialog {
    Q_OBJECT
public:
    SlipsDialog(const QStringList& passwords, QWidget* parent = nullptr);

    // The accounts' file to read, or the empty text on cancel.
    std::function<QString(QWidget* parent)> askAccountsFile;
    // The PDF file to write, or the empty text on cancel.
    std::function<QString(QWidget* parent)> askPdfFile;
    std::function<void(QWidget* parent, const QString& text)> showError;

    SlipSettings settings() const;
    // The slips as they stand now; empty while the accounts cannot be used.
    std::vector<SlipEntry> entries() const;

    void preview();
    void print();
    // True when the PDF was written.
    bool savePdf();

private:
    void loadAccountsFile();
    void updateAccounts();
    void showAccountPage(int mode);

    QStringList m_passwords;
    QStringList m_fileAccounts;
    QStringList m_accounts;
    bool m_accountsUsable = true;

    QComboBox* m_mode = nullptr;
    QStackedWidget* m_modePages = nullptr;
    QPlainTextEdit* m_pasted = nullptr;
    QLabel* m_fileName = nullptr;
    QLineEdit* m_prefix = nullptr;
    QSpinBox* m_first = nullptr;
    QSpinBox* m_digits = nullptr;
    QLabel* m_accountsState = nullptr;
    QComboBox* m_perPage = nullptr;
    QLineEdit* m_title = nullptr;
    QLineEdit* m_note = nullptr;
    QDateEdit* m_date = nullptr;
    QCheckBox* m_groups = nullptr;
    QCheckBox* m_kinds = nullptr;
    QList<QPushButton*> m_outputButtons;
};
