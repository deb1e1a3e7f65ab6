#include "SaveCommand.h"

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

QString SaveCommand::askWithDialog(QWidget* parent, const QString& initialName) {
    // Overwrite confirmation is on by default; no suffix is added to the typed name.
    return QFileDialog::getSaveFileName(parent, QString(), initialName,
                                        kFilters.join(QStringLiteral(";;")), &m_filter);
}

bool SaveCommand::run(QWidget* parent, const QStringList& passwords) {
    const QString chosen = askFileName(parent, m_fileName);
    if (chosen.isEmpty())
        return false;
    m_fileName = chosen;

    WriteOutcome outcome;
    {
        WaitCursor wait;
        outcome = WriteResultFile(chosen, passwords);
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
