// The window's geometry, the character options and the run's rules, kept in keymill.ini
// between uses.
#include "MainWindow.h"

#include "FreeTextFilter.h"
#include "IniFile.h"
#include "ProgramPaths.h"
#include "SettingsRules.h"
#include "Twips.h"
#include "WindowPlacement.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

void MainWindow::loadSettings() {
    // The file is read once; a file that cannot be read loads as the defaults.
    const IniDocument ini =
        ReadIniDocument(SettingsReadPathFor(m_programDir)).value_or(IniDocument());
    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenPixels = screen ? screen->geometry().size() : QSize(4096, 4096);
    const TwipsSize screenTwips = PixelsToTwips(screenPixels);
    const StoredSettings stored =
        LoadStoredSettings(ini, qint32(screenTwips.width), qint32(screenTwips.height));

    m_placement->place(stored.window);
    m_digitsBox->setChecked(stored.digits);
    m_upperBox->setChecked(stored.upper);
    m_lowerBox->setChecked(stored.lower);
    m_extraBox->setChecked(stored.extra);
    // Cut before the box sees it, as a paste is (the accessibility bridge is told the text whole).
    m_extraText->setText(CutToFreeTextLimit(stored.extraText));
    m_excludeBox->setChecked(stored.exclude);
    m_excludeText->setText(CutToFreeTextLimit(stored.excludeText));
    // The boxes drop what no password may hold (control characters, bytes that did not decode);
    // a text the user leaves as it was shown is stored again as it was read, byte for byte.
    m_loadedExtra = {stored.extraText, m_extraText->text()};
    m_loadedExclude = {stored.excludeText, m_excludeText->text()};
    m_noLookAlikesBox->setChecked(stored.noSimilar);
    m_eachClassBox->setChecked(stored.eachClass);
    m_actions.unique->setChecked(stored.unique);
    // A [Rules] value that names nothing gives no rule; it is stored back as it was found.
    m_loadedSettings = stored;
    m_rules = RunRulesFrom(stored);
}

void MainWindow::saveSettings() {
    // The file is read again rather than kept from the start: whatever another copy of the
    // program or the user wrote into it meanwhile stays, and the window's keys are its own.
    const QString readPath = SettingsReadPathFor(m_programDir);
    std::optional<IniDocument> ini = ReadIniDocument(readPath);
    if (!ini) {
        if (readPath == m_settingsFilePath)
            return;          // never replace a file whose content could not be read
        ini = IniDocument(); // an unreadable file beside the program: start the user's afresh
    }
    const auto storedText = [](const QLineEdit* box, const LoadedText& loaded) {
        return box->text() == loaded.shown ? loaded.stored : box->text();
    };
    StoredSettings current = m_loadedSettings;
    current.window = m_placement->toStore();
    current.digits = m_digitsBox->isChecked();
    current.upper = m_upperBox->isChecked();
    current.lower = m_lowerBox->isChecked();
    current.extra = m_extraBox->isChecked();
    current.extraText = storedText(m_extraText, m_loadedExtra);
    current.exclude = m_excludeBox->isChecked();
    current.excludeText = storedText(m_excludeText, m_loadedExclude);
    current.noSimilar = m_noLookAlikesBox->isChecked();
    current.eachClass = m_eachClassBox->isChecked();
    current.unique = m_actions.unique->isChecked();
    StoreSettings(*ini, current);
    // An unchanged file is not written at all: its time stamp stays, and a locked or
    // read-only file is left alone.
    if (ini->isModified())
        WriteIniDocument(*ini, m_settingsFilePath);
}
