#include "HelpBrowser.h"
#include "HelpCommand.h"
#include "HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpIndexWidget>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
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

// Clicks the link whose text is linkText on the page, as a mouse would.
bool clickLink(QTextBrowser* page, const QString& linkText) {
    QTextCursor cursor = page->document()->find(linkText);
    while (!cursor.isNull() && !cursor.charFormat().isAnchor())
        cursor = page->document()->find(linkText, cursor);
    if (cursor.isNull())
        return false;
    // The middle of the link's text, scrolled into view.
    cursor.setPosition(cursor.selectionStart() + 1);
    page->setTextCursor(cursor);
    page->ensureCursorVisible();
    const QPoint at = page->cursorRect(cursor).center();
    QTest::mouseClick(page->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    return true;
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
    void linkOnPageOpensInTheWindow_data();
    void linkOnPageOpensInTheWindow();
    void outsideLinkGoesToTheDesktop();
    void backAndForwardKeys();
    void indexFindsKeyword_data();
    void indexFindsKeyword();
    void searchListsPages_data();
    void searchListsPages();

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
    QTest::newRow("keymill-cli") << 7 << "コマンドライン版 keymill-cli"
                                 << "cli.html";
}

void HelpWindowTest::tableOfContentsEntries() {
    QFETCH(int, row);
    QFETCH(QString, title);
    QFETCH(QString, page);

    HelpWindow* window = openHelp();
    QVERIFY(window);
    QHelpContentWidget* tree = window->contentsTree();
    QCOMPARE(tree->model()->rowCount(), 8);

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

void HelpWindowTest::linkOnPageOpensInTheWindow_data() {
    QTest::addColumn<QString>("link");
    QTest::addColumn<QString>("page");
    QTest::newRow("save") << "保存"
                          << "save.html";
    QTest::newRow("shortcut keys") << "ショートカットキー"
                                   << "keys.html";
    QTest::newRow("settings file") << "設定ファイル keymill.ini"
                                   << "settings.html";
}

void HelpWindowTest::linkOnPageOpensInTheWindow() {
    QFETCH(QString, link);
    QFETCH(QString, page);
    HelpWindow* window = openHelp();
    QVERIFY(window);
    QList<QUrl> outside;
    window->page()->openOutside = [&outside](const QUrl& url) { outside.append(url); };

    QVERIFY(clickLink(window->page(), link));
    QTRY_COMPARE(window->page()->source().fileName(), page);
    QCOMPARE(window->page()->source().scheme(), QStringLiteral("qthelp"));
    QVERIFY(outside.isEmpty());
    // The contents tree follows the page.
    QCOMPARE(window->contentsTree()->currentIndex().data().toString(), link);
}

void HelpWindowTest::outsideLinkGoesToTheDesktop() {
    HelpWindow* window = openHelp();
    QVERIFY(window);
    HelpBrowser* page = window->page();
    QList<QUrl> outside;
    page->openOutside = [&outside](const QUrl& url) { outside.append(url); };
    const QUrl before = page->source();

    page->setHtml(QStringLiteral("<p><a href=\"https://example.org/x\">ウェブ</a></p>"
                                 "<p><a href=\"mailto:a@example.org\">メール</a></p>"));
    QVERIFY(clickLink(page, QStringLiteral("ウェブ")));
    QVERIFY(clickLink(page, QStringLiteral("メール")));
    QCOMPARE(outside, (QList<QUrl>{QUrl("https://example.org/x"), QUrl("mailto:a@example.org")}));
    QVERIFY(page->source() == before || page->source().isEmpty());
}

void HelpWindowTest::backAndForwardKeys() {
    HelpWindow* window = openHelp();
    QVERIFY(window);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    HelpBrowser* page = window->page();
    QVERIFY(!window->backAction()->isEnabled());

    QVERIFY(clickLink(page, QStringLiteral("保存")));
    QTRY_COMPARE(page->source().fileName(), QStringLiteral("save.html"));
    QVERIFY(window->backAction()->isEnabled());

    window->contentsTree()->setFocus();
    QTest::keyClick(window->contentsTree(), Qt::Key_Left, Qt::AltModifier);
    QTRY_COMPARE(page->source().fileName(), QStringLiteral("index.html"));
    QVERIFY(window->forwardAction()->isEnabled());
    QTest::keyClick(window->contentsTree(), Qt::Key_Right, Qt::AltModifier);
    QTRY_COMPARE(page->source().fileName(), QStringLiteral("save.html"));
    // The buttons do the same.
    window->backAction()->trigger();
    QTRY_COMPARE(page->source().fileName(), QStringLiteral("index.html"));
}

void HelpWindowTest::indexFindsKeyword_data() {
    QTest::addColumn<QString>("keyword");
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("anchor");
    QTest::newRow("save") << "保存"
                          << "save.html" << QString();
    QTest::newRow("extra characters") << "任意文字登録"
                                      << "options.html"
                                      << "add";
    QTest::newRow("settings file") << "keymill.ini"
                                   << "settings.html" << QString();
}

void HelpWindowTest::indexFindsKeyword() {
    QFETCH(QString, keyword);
    QFETCH(QString, page);
    QFETCH(QString, anchor);
    HelpWindow* window = openHelp();
    QVERIFY(window);
    window->tabs()->setCurrentIndex(1);
    QHelpIndexWidget* index = window->indexList();
    QTRY_VERIFY(index->model()->rowCount() >= 17);

    window->indexFilter()->setText(keyword); // as an input method hands it over
    QTRY_COMPARE(index->currentIndex().data().toString(), keyword);
    QTest::keyClick(window->indexFilter(), Qt::Key_Return);
    QTRY_COMPARE(window->page()->source().fileName(), page);
    QCOMPARE(window->page()->source().fragment(), anchor);
}

void HelpWindowTest::searchListsPages_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("page");
    QTest::newRow("code page") << "コードページ"
                               << "save.html";
    QTest::newRow("word inside a sentence") << "上書きしてよいか"
                                            << "save.html";
    QTest::newRow("full-width letters") << "ＪＩＳ"
                                        << "save.html";
    QTest::newRow("letters of another case") << "ctrl"
                                             << "keys.html";
}

void HelpWindowTest::searchListsPages() {
    QFETCH(QString, query);
    QFETCH(QString, page);
    HelpWindow* window = openHelp();
    QVERIFY(window);
    window->tabs()->setCurrentIndex(2);
    window->search(query);
    QListWidget* results = window->searchResults();

    QStringList found;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            found.clear();
            for (int row = 0; row < results->count(); ++row)
                found.append(results->item(row)->data(Qt::UserRole).toUrl().fileName());
            return found.contains(page);
        }(),
        10000);
    // Choosing a result shows its page.
    const int row = int(found.indexOf(page));
    results->setCurrentRow(row);
    emit results->itemActivated(results->item(row));
    QTRY_COMPARE(window->page()->source().fileName(), page);
}

QTEST_MAIN(HelpWindowTest)
#include "tst_HelpWindow.moc"
