#include "SaveCommand.h"

#include "LineFileWriter.h"
#include "SaveErrorText.h"
#include "WaitCursor.h"

#include <QFileDialog>
#include <QMessageBox>

namespace {
const QStringList kFilters = {QStringLiteral("*.csv"), QStringLiteral("*.txt"),
                              QStringLiteral("*.xls")};
}

SaveCommand::SaveCommand()
    : askFileName([this](QWidget* parent, const QString& initialName) {
          return askWithDialog(parent, initialName);
      }),
      showError(ShowKeymillWarning), m_filter(kFilters.first()) {}

std::unique_ptr<QFileDialog> SaveCommand::makeDialog(QWidget* parent, const QString& initialName) {
    // Given a file name, the dialog opens in its folder with the name filled in. Overwrite
    // confirmation is on by default; no suffix is added to the typed name.
    auto dialog = std::make_unique<QFileDialog>(parent, QString(), initialName,
                                                kFilters.join(QStringLiteral(";;")));
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setIconProvider(&m_iconProvider);
    dialog->selectNameFilter(m_filter);
    // Choosing a filter puts its suffix on the name; the name chosen last time comes back as it
    // was.
    if (!initialName.isEmpty())
        dialog->selectFile(initialName);
    return dialog;
}

QString SaveCommand::askWithDialog(QWidget* parent, const QString& initialName) {
    const std::unique_ptr<QFileDialog> dialog = makeDialog(parent, initialName);
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return {};
    m_filter = dialog->selectedNameFilter();
    return dialog->selectedFiles().constFirst();
}

bool SaveCommand::run(QWidget* parent, const QStringList& passwords) {
    const QString chosen = askFileName(parent, m_fileName);
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen;

    WriteOutcome outcome;
    {
        WaitCursor wait;
        outcome = WriteLineFile(chosen, passwords);
    }
    if (!outcome.ok()) {
        showError(parent, SaveErrorText(outcome));
        return false;
    }
    return true;
}

void ShowKeymillWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("キーミル"), text, QMessageBox::Ok,
                    parent);
    box.exec();
}
