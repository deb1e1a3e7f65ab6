#include "AboutConfig.h"
#include "AboutDialog.h"
#include "AboutPlacement.h"
#include "LinkCaption.h"
#include "VersionText.h"

#include <QApplication>
#include <QDesktopServices>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>

// Stands in for the desktop shell: records what the dialog asks it to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls << url; }
};

// What a modal About dialog looked like while it was open.
struct Observation {
    QPointer<AboutDialog> dialog;
    QString version;
    bool focusOnClose = false;
    bool parentless = false;
    Qt::WindowModality modality = Qt::NonModal;
    QRect frame;
    QRect mainFrameThen;
};

class TestAboutDialog : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void window();
    void controls_data();
    void controls();
    void tabOrderStartsAtClose();
    void copesWithoutProgramIcon();
    void linkButtonsOpenTheirCaption_data();
    void linkButtonsOpenTheirCaption();
    void opensCentredAndModal_data();
    void opensCentredAndModal();
    void rebuiltOnEveryOpening();

private:
    // Opens the dialog as the main window's command does; records it and closes it with
    // closeAction as soon as it is up. Never blocks: a dialog that does not appear fails.
    Observation OpenAndClose(QWidget* main, const std::function<void(AboutDialog*)>& closeAction);

    UrlCatcher catcher;
};

void TestAboutDialog::initTestCase() {
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::setUrlHandler(QLatin1String(scheme), &catcher, "open");
}

void TestAboutDialog::cleanupTestCase() {
    for (const char* scheme : {"http", "https", "mailto"})
        QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
}

Observation TestAboutDialog::OpenAndClose(QWidget* main,
                                          const std::function<void(AboutDialog*)>& closeAction) {
    Observation seen;
    QTimer poll;
    poll.setInterval(10);
    int attempts = 0;
    connect(&poll, &QTimer::timeout, this, [&] {
        auto* about = qobject_cast<AboutDialog*>(QApplication::activeModalWidget());
        if (!about) {
            if (++attempts > 500)
                poll.stop();
            return;
        }
        poll.stop();
        seen.dialog = about;
        seen.version = about->findChild<QLabel*>(QStringLiteral("versionLabel"))->text();
        seen.focusOnClose =
            about->focusWidget() == about->findChild<QPushButton*>(QStringLiteral("closeButton"));
        seen.parentless = about->parentWidget() == nullptr;
        seen.modality = about->windowModality();
        seen.frame = about->frameGeometry();
        seen.mainFrameThen = main->frameGeometry();
        closeAction(about);
    });
    poll.start();
    ShowAboutDialog(main);
    return seen;
}

void TestAboutDialog::window() {
    AboutDialog about;
    QCOMPARE(about.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
    QCOMPARE(about.size(), QSize(273, 210));
    QCOMPARE(about.minimumSize(), about.maximumSize());
    const Qt::WindowFlags flags = about.windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(about.findChild<QGroupBox*>(QStringLiteral("infoFrame"))->title().isEmpty());
}

void TestAboutDialog::controls_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("pixels");
    QTest::addColumn<QString>("text");
    const QString mail = LinkCaption(QString::fromUtf8(about_config::kSupportMail));
    const QString homepage = LinkCaption(QString::fromUtf8(about_config::kHomepageUrl));
    // Design twips divided by 15.
    QTest::newRow("iconPicture") << "iconPicture" << QRect(8, 16, 36, 36) << QString();
    QTest::newRow("versionLabel") << "versionLabel" << QRect(8, 32, 241, 17)
                                  << QStringLiteral("キーミル Version 0.50.1");
    QTest::newRow("copyrightLabel")
        << "copyrightLabel" << QRect(8, 64, 241, 17) << QString::fromUtf8(about_config::kCopyright);
    QTest::newRow("mailButton") << "mailButton" << QRect(16, 88, 225, 17) << mail;
    QTest::newRow("homepageButton") << "homepageButton" << QRect(16, 112, 225, 17) << homepage;
    QTest::newRow("commentLabel") << "commentLabel" << QRect(8, 136, 241, 17)
                                  << QStringLiteral("このソフトは、フリーソフトです");
    QTest::newRow("closeButton") << "closeButton" << QRect(80, 160, 97, 25)
                                 << QStringLiteral("閉じる(&C)");
}

void TestAboutDialog::controls() {
    QFETCH(QString, name);
    QFETCH(QRect, pixels);
    QFETCH(QString, text);
    AboutDialog about;
    auto* frame = about.findChild<QGroupBox*>(QStringLiteral("infoFrame"));
    QCOMPARE(frame->geometry(), QRect(8, 0, 257, 201));
    auto* control = about.findChild<QWidget*>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), frame);
    QCOMPARE(control->geometry(), pixels);
    if (auto* label = qobject_cast<QLabel*>(control)) {
        QCOMPARE(label->text(), text);
        QCOMPARE(label->alignment(), Qt::AlignCenter);
    } else {
        QCOMPARE(qobject_cast<QPushButton*>(control)->text(), text);
    }
}

void TestAboutDialog::tabOrderStartsAtClose() {
    AboutDialog about;
    auto* close = about.findChild<QPushButton*>(QStringLiteral("closeButton"));
    QStringList order;
    QWidget* widget = close;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget->objectName();
        widget = widget->nextInFocusChain();
    } while (widget != close);
    QCOMPARE(order, (QStringList{"closeButton", "mailButton", "homepageButton"}));
}

void TestAboutDialog::copesWithoutProgramIcon() {
    // This test links no resources, so ":/icons/keymill" does not exist here.
    AboutDialog about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QLabel* icon = about.findChild<QLabel*>(QStringLiteral("iconPicture"));
    QVERIFY(icon->pixmap().isNull());
    QVERIFY(icon->isVisible());
}

void TestAboutDialog::linkButtonsOpenTheirCaption_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("configured");
    QTest::newRow("homepage") << "homepageButton" << QString()
                              << QString::fromUtf8(about_config::kHomepageUrl);
    QTest::newRow("mail") << "mailButton" << QStringLiteral("mailto:")
                          << QString::fromUtf8(about_config::kSupportMail);
}

void TestAboutDialog::linkButtonsOpenTheirCaption() {
    QFETCH(QString, button);
    QFETCH(QString, prefix);
    QFETCH(QString, configured);
    AboutDialog about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    auto* link = about.findChild<QPushButton*>(button);
    QCOMPARE(LinkTarget(link->text()), configured);
    catcher.urls.clear();
    QTest::mouseClick(link, Qt::LeftButton);
    QCOMPARE(catcher.urls.size(), 1);
    QCOMPARE(catcher.urls.first().toString(), prefix + LinkTarget(link->text()));
    QVERIFY2(about.isVisible(), "a link button must not close the dialog");
}

void TestAboutDialog::opensCentredAndModal_data() {
    QTest::addColumn<QRect>("mainGeometry");
    QTest::addColumn<bool>("maximised");
    QTest::newRow("ordinary") << QRect(100, 80, 600, 300) << false;
    QTest::newRow("partly beyond the screen") << QRect(700, 500, 600, 400) << false;
    QTest::newRow("maximised") << QRect(100, 80, 600, 300) << true;
}

void TestAboutDialog::opensCentredAndModal() {
    QFETCH(QRect, mainGeometry);
    QFETCH(bool, maximised);
    QWidget main;
    main.setGeometry(mainGeometry);
    if (maximised)
        main.showMaximized();
    else
        main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QCOMPARE(main.isMaximized(), maximised);

    const Observation seen = OpenAndClose(&main, [](AboutDialog* about) {
        about->findChild<QPushButton*>(QStringLiteral("closeButton"))->click();
    });
    QVERIFY2(!seen.frame.isNull(), "the dialog did not open");
    QVERIFY(seen.parentless);
    QCOMPARE(seen.modality, Qt::ApplicationModal);
    QCOMPARE(seen.frame.topLeft(), CenteredTopLeft(seen.mainFrameThen, seen.frame.size()));
    QVERIFY2(!seen.dialog, "the dialog must be deleted once closed");
}

void TestAboutDialog::rebuiltOnEveryOpening() {
    QWidget main;
    main.setGeometry(50, 50, 600, 300);
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    const auto closeBox = [](AboutDialog* about) { about->close(); };
    for (int opening = 1; opening <= 2; ++opening) {
        const Observation seen = OpenAndClose(&main, closeBox);
        QVERIFY2(!seen.frame.isNull(), "the dialog did not open");
        QCOMPARE(seen.version, ProgramVersionLine());
        QVERIFY(seen.focusOnClose);
        QVERIFY(!seen.dialog);
    }
}

QTEST_MAIN(TestAboutDialog)
#include "test_about_dialog.moc"
