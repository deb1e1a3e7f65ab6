#pragma once

#include "NameOnlyIconProvider.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QFileDialog;
class QWidget;

// The save command: asks for a file name (remembered for the run of the program) and writes the
// whole list. The dialog and the error box are replaceable so that tests show neither.
class SaveCommand {
public:
    SaveCommand();
    SaveCommand(const SaveCommand&) = delete;
    SaveCommand& operator=(const SaveCommand&) = delete;

    // Returns the chosen file name, or the empty text when the user cancels.
    std::function<QString(QWidget* parent, const QString& initialName)> askFileName;
    std::function<void(QWidget* parent, const QString& text)> showError;

    // True when a file was written; false on cancel or failure (the failure has been shown).
    bool run(QWidget* parent, const QStringList& passwords);

    const QString& fileName() const { return m_fileName; }

    // The dialog askFileName shows: the three filters, overwrite confirmation, and icons that never
    // read a file.
    std::unique_ptr<QFileDialog> makeDialog(QWidget* parent, const QString& initialName);

private:
    QString askWithDialog(QWidget* parent, const QString& initialName);

    QString m_fileName;
    QString m_filter;
    NameOnlyIconProvider m_iconProvider;
};

// The warning box captioned "キーミル" with one OK button.
void ShowKeymillWarning(QWidget* parent, const QString& text);
