#pragma once
#include <QDialog>

class QAbstractButton;
class QGroupBox;
class QLabel;
class QPushButton;

// The About dialog: product name and version, icon, copyright, free-software note, and two
// buttons whose captions (homepage URL, support address) are what they open.
class AboutDialog : public QDialog {
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);

private:
    void showVersion();
    void openHomepage();
    void openMail();
    void closeDialog();

    QGroupBox* m_infoFrame;
    QLabel* m_iconPicture;
    QLabel* m_versionLabel;
    QLabel* m_copyrightLabel;
    QPushButton* m_mailButton;
    QPushButton* m_homepageButton;
    QLabel* m_commentLabel;
    QPushButton* m_closeButton;
};

// What the main window's バージョン情報 command does: builds the dialog anew, centres its frame
// over the main window's frame, shows it modally without an owner and deletes it once closed.
void ShowAboutDialog(QWidget* mainWindow);
