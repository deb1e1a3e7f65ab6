#include "frmAbout.h"

#include "AboutConfig.h"
#include "AboutPlacement.h"
#include "LinkCaption.h"
#include "Twips.h"
#include "VersionText.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QUrl>

#include <memory>

namespace {

constexpr TwipsSize kClientSize{4095, 3150};
constexpr int kIconPixels = 32;

template <typename Widget> Widget* Place(Widget* widget, const char* name, const TwipsRect& rect) {
    widget->setObjectName(QLatin1String(name));
    widget->setGeometry(TwipsToPixels(rect));
    return widget;
}

QLabel* CentredLabel(QWidget* parent, const char* name, const TwipsRect& rect,
                     const QString& text) {
    auto* label = Place(new QLabel(text, parent), name, rect);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QPushButton* LinkButton(QWidget* parent, const char* name, const TwipsRect& rect,
                        const QString& target) {
    return Place(new QPushButton(LinkCaption(target), parent), name, rect);
}

// The shell's answer is not looked at: a missing browser or mail program is its business.
void ShellOpen(const QString& target) {
    QDesktopServices::openUrl(QUrl(target));
}

void ShellMailTo(const QString& address) {
    ShellOpen(QStringLiteral("mailto:") + address);
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(kClientSize));

    fraSoftZyoho = Place(new QGroupBox(this), "fraSoftZyoho", {120, 0, 3855, 3015});
    picIcon = Place(new QLabel(fraSoftZyoho), "picIcon", {120, 240, 540, 540});
    picIcon->setAlignment(Qt::AlignCenter);
    // The icon comes from the program's resources; without it the picture stays empty.
    const QPixmap icon = QIcon(QStringLiteral(":/icons/keymill")).pixmap(kIconPixels);
    if (!icon.isNull())
        picIcon->setPixmap(icon);
    lblVersion = CentredLabel(fraSoftZyoho, "lblVersion", {120, 480, 3615, 255}, QString());
    lblCopyright = CentredLabel(fraSoftZyoho, "lblCopyright", {120, 960, 3615, 255},
                                QString::fromUtf8(about_config::kCopyright));
    cmdMyMail = LinkButton(fraSoftZyoho, "cmdMyMail", {240, 1320, 3375, 255},
                           QString::fromUtf8(about_config::kSupportMail));
    cmdMyHomepage = LinkButton(fraSoftZyoho, "cmdMyHomepage", {240, 1680, 3375, 255},
                               QString::fromUtf8(about_config::kHomepageUrl));
    lblKomento = CentredLabel(fraSoftZyoho, "lblKomento", {120, 2040, 3615, 255},
                              QStringLiteral("このソフトは、フリーソフトです"));
    cmdClose = Place(new QPushButton(QStringLiteral("閉じる(&C)"), fraSoftZyoho), "cmdClose",
                     {1200, 2400, 1455, 375});

    setTabOrder(cmdClose, cmdMyMail);
    setTabOrder(cmdMyMail, cmdMyHomepage);
    cmdClose->setFocus();

    connect(cmdMyHomepage, &QPushButton::clicked, this, &frmAbout::cmdMyHomepage_Click);
    connect(cmdMyMail, &QPushButton::clicked, this, &frmAbout::cmdMyMail_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmAbout::cmdClose_Click);

    Form_Load();
}

void frmAbout::Form_Load() {
    lblVersion->setText(ProgramVersionLine());
}

void frmAbout::cmdMyHomepage_Click() {
    ShellOpen(LinkTarget(cmdMyHomepage->text()));
}

void frmAbout::cmdMyMail_Click() {
    ShellMailTo(LinkTarget(cmdMyMail->text()));
}

void frmAbout::cmdClose_Click() {
    close();
}

void ShowAboutDialog(QWidget* mainWindow) {
    // No parent: the dialog names no owner, so nothing else decides where it goes.
    const auto about = std::make_unique<frmAbout>();
    if (mainWindow) {
        // The dialog's frame is not known before it is shown; it gets the same decoration
        // as the main window.
        const QRect mainFrame = mainWindow->frameGeometry();
        const QSize decoration = mainFrame.size() - mainWindow->geometry().size();
        about->move(CenteredTopLeft(mainFrame, about->size() + decoration));
    }
    about->exec();
}
