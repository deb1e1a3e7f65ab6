#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableWidget;

// 配布用に書き出す: pairs the window's passwords with account names (pasted, read from a file or
// numbered) and writes them in a hand-out format, with a hash if asked. The file dialogs and the
// error box are replaceable so that tests show none of them.
class HandoutDialog : public QDialog {
    Q_OBJECT
public:
    HandoutDialog(const QStringList& passwords, QWidget* parent = nullptr);

    // The accounts file chosen, or the empty text on cancel.
    std::function<QString(QWidget* parent)> askAccountsFile;
    // The file to save to, or the empty text on cancel.
    std::function<QString(QWidget* parent, const QString& suggestedName)> askSaveFile;
    std::function<void(QWidget* parent, const QString& text)> showError;

signals:
    // The list is shorter than the accounts: run again for `count` passwords, none twice.
    void runAgainRequested(qint64 count);

private:
    void loadFile();
    void updatePairs();
    void save();
    // The accounts of the chosen source, or an empty list with m_problem set.
    QStringList accounts();

    QStringList m_passwords;
    QStringList m_fileAccounts;
    QString m_problem;
    QRadioButton* m_pasteSource = nullptr;
    QRadioButton* m_fileSource = nullptr;
    QRadioButton* m_numberedSource = nullptr;
    QPlainTextEdit* m_pasteBox = nullptr;
    QLabel* m_fileLabel = nullptr;
    QLineEdit* m_prefixBox = nullptr;
    QSpinBox* m_firstBox = nullptr;
    QSpinBox* m_digitsBox = nullptr;
    QSpinBox* m_numberedCountBox = nullptr;
    QComboBox* m_formatBox = nullptr;
    QComboBox* m_hashBox = nullptr;
    QTableWidget* m_preview = nullptr;
    QLabel* m_statusLabel = nullptr;
    QPushButton* m_runAgainButton = nullptr;
    QPushButton* m_saveButton = nullptr;
};
