#include "AboutDialog.h"

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

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AboutDialog"));
    setWindowTitle(QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(TwipsToPixels(kClientSize));

    m_infoFrame = Place(new QGroupBox(this), "infoFrame", {120, 0, 3855, 3015});
    m_iconPicture = Place(new QLabel(m_infoFrame), "iconPicture", {120, 240, 540, 540});
    m_iconPicture->setAlignment(Qt::AlignCenter);
    // The icon comes from the program's resources; without it the picture stays empty.
    const QPixmap icon = QIcon(QStringLiteral(":/icons/keymill")).pixmap(kIconPixels);
    if (!icon.isNull())
        m_iconPicture->setPixmap(icon);
    m_versionLabel = CentredLabel(m_infoFrame, "versionLabel", {120, 480, 3615, 255}, QString());
    m_copyrightLabel = CentredLabel(m_infoFrame, "copyrightLabel", {120, 960, 3615, 255},
                                    QString::fromUtf8(about_config::kCopyright));
    m_mailButton = LinkButton(m_infoFrame, "mailButton", {240, 1320, 3375, 255},
                              QString::fromUtf8(about_config::kSupportMail));
    m_homepageButton = LinkButton(m_infoFrame, "homepageButton", {240, 1680, 3375, 255},
                                  QString::fromUtf8(about_config::kHomepageUrl));
    m_commentLabel = CentredLabel(m_infoFrame, "commentLabel", {120, 2040, 3615, 255},
                                  QStringLiteral("このソフトは、フリーソフトです"));
    m_closeButton = Place(new QPushButton(QStringLiteral("閉じる(&C)"), m_infoFrame), "closeButton",
                          {1200, 2400, 1455, 375});

    setTabOrder(m_closeButton, m_mailButton);
    setTabOrder(m_mailButton, m_homepageButton);
    m_closeButton->setFocus();

    connect(m_homepageButton, &QPushButton::clicked, this, &AboutDialog::openHomepage);
    connect(m_mailButton, &QPushButton::clicked, this, &AboutDialog::openMail);
    connect(m_closeButton, &QPushButton::clicked, this, &AboutDialog::closeDialog);

    showVersion();
}

void AboutDialog::showVersion() {
    m_versionLabel->setText(ProgramVersionLine());
}

void AboutDialog::openHomepage() {
    ShellOpen(LinkTarget(m_homepageButton->text()));
}

void AboutDialog::openMail() {
    ShellMailTo(LinkTarget(m_mailButton->text()));
}

void AboutDialog::closeDialog() {
    close();
}

void ShowAboutDialog(QWidget* mainWindow) {
    // No parent: the dialog names no owner, so nothing else decides where it goes.
    const auto about = std::make_unique<AboutDialog>();
    if (mainWindow) {
        // The dialog's frame is not known before it is shown; it gets the same decoration
        // as the main window.
        const QRect mainFrame = mainWindow->frameGeometry();
        const QSize decoration = mainFrame.size() - mainWindow->geometry().size();
        about->move(CenteredTopLeft(mainFrame, about->size() + decoration));
    }
    about->exec();
}
