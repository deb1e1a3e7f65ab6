#pragma once
#include <QDialog>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QPushButton;

// The About dialog: product name and version, icon, copyright, free-software note, and two
// buttons whose captions (homepage URL, support address) are what they open.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

private:
    void Form_Load();
    void cmdMyHomepage_Click();
    void cmdMyMail_Click();
    void cmdClose_Click();

    QGroupBox* fraSoftZyoho;
    QLabel* picIcon;
    QLabel* lblVersion;
    QLabel* lblCopyright;
    QPushButton* cmdMyMail;
    QPushButton* cmdMyHomepage;
    QLabel* lblKomento;
    QPushButton* cmdClose;
};

// What the main window's バージョン情報 command does: builds the dialog anew, centres its frame
// over the main window's frame, shows it modally without an owner and deletes it once closed.
void ShowAboutDialog(QWidget* mainWindow);
