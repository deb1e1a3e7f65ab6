#include "HelpCommand.h"
#include "HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

namespace {

QList<HelpWindow*> helpWindowsOnScreen() {
    QList<HelpWindow*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* window = qobject_cast<HelpWindow*>(widget); window && window->isVisible()) {
            found.append(window);
        }
    }
    return found;
}

bool isJapanese(const QString& text) {
    static const QRegularExpression kana(QStringLiteral("[\\p{Hiragana}\\p{Katakana}]"));
    return text.contains(kana);
}

} // namespace

class HelpWindowTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void opensAtTableOfContents();
    void tableOfContentsEntries_data();
    void tableOfContentsEntries();
    void windowHasNoParent();
    void showingAgainRaisesTheSameWindow();
    void windowClosedByTheUserIsNotCounted();
    void closeAllClosesEveryWindow();
    void unusableFileShowsNothing_data();
    void unusableFileShowsNothing();
    void pagesShowTheProgramsIcons();

private:
    // Opens the built help file and waits until its contents are shown.
    HelpWindow* openHelp();
    QString m_qch;
};

void HelpWindowTest::initTestCase() {
    const QString buildDir = qEnvironmentVariable("KEYMILL_BUILD_DIR");
    QVERIFY2(!buildDir.isEmpty(), "KEYMILL_BUILD_DIR is not set");
    m_qch = buildDir + QStringLiteral("/keymill.qch");
    QVERIFY2(QFile::exists(m_qch), qPrintable(m_qch + " has not been built"));
}

void HelpWindowTest::cleanup() {
    CloseAllHelpWindows();
}

HelpWindow* HelpWindowTest::openHelp() {
    if (!ShowHelp(m_qch)) {
        return nullptr;
    }
    const QList<HelpWindow*> windows = helpWindowsOnScreen();
    if (windows.size() != 1) {
        return nullptr;
    }
    HelpWindow* window = windows.first();
    QTextBrowser* page = window->page();
    if (!QTest::qWaitFor([page] { return !page->source().isEmpty(); }, 10000)) {
        return nullptr;
    }
    return window;
}

void HelpWindowTest::opensAtTableOfContents() {
    HelpWindow* window = openHelp();
    QVERIFY(window);

    QHelpContentWidget* tree = window->contentsTree();
    QVERIFY(tree->isVisible());
    QVERIFY(tree->model()->rowCount() > 0);
    QCOMPARE(tree->currentIndex().row(), 0);
    QVERIFY(!tree->currentIndex().parent().isValid());

    QCOMPARE(window->page()->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(isJapanese(window->page()->toPlainText()));
    QVERIFY(window->page()->toPlainText().contains(QStringLiteral("キーミル")));
}

void HelpWindowTest::tableOfContentsEntries_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("page");
    QTest::newRow("about") << 0 << "キーミルについて"
                           << "index.html";
    QTest::newRow("window") << 1 << "画面の構成"
                            << "window.html";
    QTest::newRow("making passwords") << 2 << "パスワードを作る"
                                      << "generate.html";
    QTest::newRow("using results") << 3 << "生成結果を使う"
                                   << "results.html";
    QTest::newRow("settings file") << 4 << "設定ファイル keymill.ini"
                                   << "settings.html";
    QTest::newRow("shortcut keys") << 5 << "ショートカットキー"
                                   << "keys.html";
    QTest::newRow("messages") << 6 << "メッセージと対処"
                              << "messages.html";
}

void HelpWindowTest::tableOfContentsEntries() {
    QFETCH(int, row);
    QFETCH(QString, title);
    QFETCH(QString, page);

    HelpWindow* window = openHelp();
    QVERIFY(window);
    QHelpContentWidget* tree = window->contentsTree();
    QCOMPARE(tree->model()->rowCount(), 7);

    const QModelIndex entry = tree->model()->index(row, 0);
    QCOMPARE(entry.data().toString(), title);

    // Choosing the entry in the tree shows its page, headed by the same title.
    tree->setCurrentIndex(entry);
    QTRY_COMPARE(window->page()->source().fileName(), page);
    QVERIFY(window->page()->toPlainText().contains(title));
}

void HelpWindowTest::windowHasNoParent() {
    HelpWindow* window = openHelp();
    QVERIFY(window);
    QVERIFY(window->parentWidget() == nullptr);
    QVERIFY(window->isWindow());
    QVERIFY(isJapanese(window->windowTitle()));
}

void HelpWindowTest::showingAgainRaisesTheSameWindow() {
    HelpWindow* first = openHelp();
    QVERIFY(first);
    QVERIFY(ShowHelp(m_qch));
    QCOMPARE(OpenHelpWindowCount(), 1);
    QCOMPARE(helpWindowsOnScreen(), QList<HelpWindow*>{first});
}

void HelpWindowTest::windowClosedByTheUserIsNotCounted() {
    HelpWindow* window = openHelp();
    QVERIFY(window);
    QPointer<HelpWindow> watched(window);
    window->close();
    QCOMPARE(OpenHelpWindowCount(), 0);
    QTRY_VERIFY(watched.isNull());

    // The next request opens a fresh window.
    QVERIFY(ShowHelp(m_qch));
    QCOMPARE(OpenHelpWindowCount(), 1);
}

void HelpWindowTest::closeAllClosesEveryWindow() {
    // Three copies of the file, three windows.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copyA = dir.filePath(QStringLiteral("a.qch"));
    const QString copyB = dir.filePath(QStringLiteral("b.qch"));
    QVERIFY(QFile::copy(m_qch, copyA));
    QVERIFY(QFile::copy(m_qch, copyB));
    QVERIFY(ShowHelp(m_qch));
    QVERIFY(ShowHelp(copyA));
    QVERIFY(ShowHelp(copyB));
    QCOMPARE(OpenHelpWindowCount(), 3);
    QCOMPARE(helpWindowsOnScreen().size(), 3);

    QList<QPointer<HelpWindow>> watched;
    for (HelpWindow* window : helpWindowsOnScreen()) {
        watched.append(window);
    }
    CloseAllHelpWindows();
    QCOMPARE(OpenHelpWindowCount(), 0);
    QVERIFY(helpWindowsOnScreen().isEmpty());
    for (const QPointer<HelpWindow>& window : watched) {
        QVERIFY(window.isNull());
    }
}

void HelpWindowTest::unusableFileShowsNothing_data() {
    QTest::addColumn<QString>("content");
    QTest::addColumn<bool>("asDirectory");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << QString() << false << false;
    QTest::newRow("directory") << QString() << true << true;
    QTest::newRow("empty file") << QString() << false << true;
    QTest::newRow("not a help file") << QStringLiteral("<html>キーミル</html>") << false << true;
}

void HelpWindowTest::unusableFileShowsNothing() {
    QFETCH(QString, content);
    QFETCH(bool, asDirectory);
    QFETCH(bool, exists);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("keymill.qch"));
    if (asDirectory) {
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("keymill.qch")));
    } else if (exists) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content.toUtf8());
    }

    const int topLevelBefore = QApplication::topLevelWidgets().size();
    QVERIFY(!ShowHelp(path));
    QCOMPARE(OpenHelpWindowCount(), 0);
    QVERIFY(helpWindowsOnScreen().isEmpty());
    // No message box or half-built window either.
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::topLevelWidgets().size(), topLevelBefore);
}

void HelpWindowTest::pagesShowTheProgramsIcons() {
    HelpWindow* window = openHelp();
    QVERIFY(window);
    QTextBrowser* page = window->page();

    const QVariant style = page->loadResource(QTextDocument::StyleSheetResource,
                                              page->source().resolved(QUrl("keymill.css")));
    QVERIFY(!style.toByteArray().isEmpty());

    const QVariant icon =
        page->loadResource(QTextDocument::ImageResource, QUrl(QStringLiteral("qrc:/icons/M_Save")));
    QCOMPARE(QImage::fromData(icon.toByteArray()).size(), QSize(16, 16));
}

QTEST_MAIN(HelpWindowTest)
#include "tst_HelpWindow.moc"
