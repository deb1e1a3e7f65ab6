#include "HelpWindow.h"

#include "HelpBrowser.h"
#include "HelpPageAccessible.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFileInfo>
#include <QFocusFrame>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QHelpLink>
#include <QHelpSearchEngine>
#include <QHelpSearchQueryWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTextDocument>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

namespace {
constexpr int kUrlRole = Qt::UserRole;
}

HelpWindow* HelpWindow::create(const QString& qchPath) {
    const QFileInfo file(qchPath);
    if (!file.isFile()) {
        return nullptr;
    }
    auto* window = new HelpWindow(file.absoluteFilePath());
    if (!window->registerHelpFile()) {
        delete window;
        return nullptr;
    }
    window->buildWidgets();
    return window;
}

HelpWindow::HelpWindow(const QString& helpFile) : QWidget(nullptr), m_helpFile(helpFile) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("キーミル ヘルプ"));
    resize(820, 580);
}

HelpWindow::~HelpWindow() {
    // The views read the engine's models, so they go before the engine; so does the search,
    // whose threads read the engine until they have stopped.
    waitForSearchThreads();
    delete m_splitter;
    m_search.reset();
    m_engine.reset();
}

bool HelpWindow::registerHelpFile() {
    if (!m_collectionDir.isValid()) {
        return false;
    }
    m_engine =
        std::make_unique<QHelpEngine>(m_collectionDir.filePath(QStringLiteral("keymill.qhc")));
    // A read-only engine refuses to register a file into its fresh collection.
    m_engine->setReadOnly(false);
    if (!m_engine->setupData()) {
        return false;
    }
    return m_engine->registerDocumentation(m_helpFile) &&
           !m_engine->registeredDocumentations().isEmpty();
}

void HelpWindow::buildWidgets() {
    m_page = new HelpBrowser(m_engine.get());
    m_page->setAccessibleName(QStringLiteral("ヘルプのページ"));
    ExposeAsDocument(m_page);
    m_tree = m_engine->contentWidget();
    m_tree->setAccessibleName(QStringLiteral("目次"));

    m_tabs = new QTabWidget;
    m_tabs->addTab(m_tree, QStringLiteral("目次(&C)"));
    m_tabs->addTab(buildIndexTab(), QStringLiteral("索引(&I)"));
    m_tabs->addTab(buildSearchTab(), QStringLiteral("検索(&S)"));
    // Read without the key letter; the key itself lands in the tab's field, where typing goes.
    const QStringList tabNames{QStringLiteral("目次"), QStringLiteral("索引"),
                               QStringLiteral("検索")};
    for (int tab = 0; tab < tabNames.size(); ++tab)
        m_tabs->tabBar()->setAccessibleTabName(tab, tabNames[tab]);
    m_tabs->widget(1)->setFocusProxy(m_indexFilter);
    m_tabs->tabBar()->installEventFilter(this);

    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_splitter->addWidget(m_tabs);
    m_splitter->addWidget(m_page);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({250, 570});

    buildNavigation();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_navigation);
    layout->addWidget(m_splitter);

    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    // A frame a reader sees on whatever has the focus: the style's own marks are faint or
    // missing on the tabs, the tree and the page. The views and fields draw it as their border;
    // a frame around them from outside would be cut off by the splitter and the tabs.
    setStyleSheet(
        QStringLiteral("QTreeView:focus, QListView:focus, QTextBrowser:focus, QLineEdit:focus"
                       " { border: 2px solid palette(highlight); }"));
    for (QFrame* view : std::initializer_list<QFrame*>{m_tree, m_index, m_results})
        view->setFrameShape(QFrame::StyledPanel); // a frameless view draws no border
    auto* focusFrame = new QFocusFrame(this);
    connect(qApp, &QApplication::focusChanged, focusFrame,
            [this, focusFrame](QWidget*, QWidget* now) {
                const bool bordered = qobject_cast<QAbstractScrollArea*>(now) != nullptr ||
                                      qobject_cast<QLineEdit*>(now) != nullptr;
                focusFrame->setWidget(
                    now != nullptr && now->window() == this && !bordered ? now : nullptr);
            });

    connect(m_tree, &QHelpContentWidget::linkActivated, m_page,
            [this](const QUrl& url) { m_page->setSource(url); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showContentsItem(current); });
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::followPage);
    // The engine fills the tree in the background once the file is registered.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this,
            &HelpWindow::showTableOfContents);
    // The full-text index lives in the collection's fresh directory, so it is built anew.
}

// Qt Help's indexing and search threads crash when their engine is destroyed while they run,
// cancelled or not. Indexing a dozen pages takes a fraction of a second, so a closing window
// lets them finish.
void HelpWindow::waitForSearchThreads() {
    m_closing = true;
    QEventLoop loop;
    connect(m_search.get(), &QHelpSearchEngine::indexingFinished, &loop, &QEventLoop::quit);
    connect(m_search.get(), &QHelpSearchEngine::searchingFinished, &loop, &QEventLoop::quit);
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    QElapsedTimer waited;
    waited.start();
    while ((m_indexing || m_searching) && waited.elapsed() < 10000)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
}

void HelpWindow::buildNavigation() {
    m_navigation = new QToolBar(this);
    m_navigation->setAccessibleName(QStringLiteral("ページの移動"));
    m_navigation->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = m_navigation->addAction(style()->standardIcon(QStyle::SP_ArrowBack),
                                     QStringLiteral("戻る"), m_page, &QTextBrowser::backward);
    m_back->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
    m_back->setToolTip(QStringLiteral("前のページに戻る (Alt+←)"));
    m_forward = m_navigation->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                        QStringLiteral("進む"), m_page, &QTextBrowser::forward);
    m_forward->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
    m_forward->setToolTip(QStringLiteral("次のページに進む (Alt+→)"));
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
}

QWidget* HelpWindow::buildIndexTab() {
    auto* tab = new QWidget;
    auto* label = new QLabel(QStringLiteral("キーワード(&K):"), tab);
    m_indexFilter = new QLineEdit(tab);
    m_indexFilter->setAccessibleName(QStringLiteral("キーワード"));
    label->setAccessibleName(m_indexFilter->accessibleName());
    label->setBuddy(m_indexFilter);
    m_index = m_engine->indexWidget();
    m_index->setAccessibleName(QStringLiteral("キーワード一覧"));

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(label);
    layout->addWidget(m_indexFilter);
    layout->addWidget(m_index);

    connect(m_indexFilter, &QLineEdit::textChanged, m_index,
            [this](const QString& text) { m_index->filterIndices(text); });
    connect(m_indexFilter, &QLineEdit::returnPressed, m_index,
            &QHelpIndexWidget::activateCurrentItem);
    connect(m_index, &QHelpIndexWidget::documentActivated, m_page,
            [this](const QHelpLink& document) { m_page->setSource(document.url); });
    connect(m_index, &QHelpIndexWidget::documentsActivated, m_page,
            [this](const QList<QHelpLink>& documents) {
                if (!documents.isEmpty())
                    m_page->setSource(documents.first().url);
            });
    return tab;
}

QWidget* HelpWindow::buildSearchTab() {
    auto* tab = new QWidget;
    m_search = std::make_unique<QHelpSearchEngine>(m_engine.get());
    m_query = m_search->queryWidget();
    m_query->setCompactMode(true);
    nameSearchControls();
    tab->setFocusProxy(m_query->findChild<QLineEdit*>());
    m_results = new QListWidget(tab);
    m_results->setAccessibleName(QStringLiteral("検索結果"));

    auto* layout = new QVBoxLayout(tab);
    layout->addWidget(m_query);
    layout->addWidget(m_results);

    connect(m_query, &QHelpSearchQueryWidget::search, this, &HelpWindow::searchFromQuery);
    // The engine's own full-text index is built on the first search; each of its threads
    // is counted as running from the moment it is asked for.
    connect(m_search.get(), &QHelpSearchEngine::indexingFinished, this, &HelpWindow::searchIndex);
    connect(m_search.get(), &QHelpSearchEngine::searchingFinished, this,
            &HelpWindow::addIndexedHits);
    connect(m_results, &QListWidget::itemActivated, m_page,
            [this](QListWidgetItem* item) { m_page->setSource(item->data(kUrlRole).toUrl()); });
    return tab;
}

void HelpWindow::nameSearchControls() {
    // Qt Help leaves its search field and its history buttons without names.
    for (QLineEdit* field : m_query->findChildren<QLineEdit*>())
        field->setAccessibleName(QStringLiteral("検索する語"));
    const QList<QToolButton*> history = m_query->findChildren<QToolButton*>();
    const QStringList historyNames{QStringLiteral("前の検索語"), QStringLiteral("次の検索語")};
    for (qsizetype i = 0; i < history.size() && i < historyNames.size(); ++i)
        history[i]->setAccessibleName(historyNames[i]);
    for (QPushButton* button : m_query->findChildren<QPushButton*>())
        button->setAccessibleName(QStringLiteral("検索"));
}

bool HelpWindow::eventFilter(QObject* watched, QEvent* event) {
    // A tab's key (Alt+I, Alt+S) chooses the tab and then the field on it, not the tab itself.
    if (watched == m_tabs->tabBar() && event->type() == QEvent::Shortcut) {
        QTimer::singleShot(0, this,
                           [this] { m_tabs->currentWidget()->setFocus(Qt::ShortcutFocusReason); });
    }
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::searchFromQuery() {
    search(m_query->searchInput());
}

void HelpWindow::search(const QString& text) {
    if (m_query->searchInput() != text)
        m_query->setSearchInput(text);
    m_results->clear();
    // The pages' own text first: it finds Japanese words the full-text index does not split
    // out. The index's answers (English word forms among them) join when it has them.
    for (const HelpPageHit& hit : FindInHelpPages(pages(), text))
        addHit(hit.url, hit.title);
    if (m_results->count() > 0)
        m_results->setCurrentRow(0);
    m_pendingQuery = text;
    if (m_indexed) {
        searchIndex();
    } else if (!m_indexing) {
        m_indexing = true;
        m_search->reindexDocumentation();
    }
}

void HelpWindow::searchIndex() {
    if (m_indexing) {
        m_indexing = false;
        m_indexed = true;
    }
    if (m_closing || m_searching || m_pendingQuery.isEmpty())
        return;
    m_searching = true;
    m_search->search(std::exchange(m_pendingQuery, QString()));
}

void HelpWindow::addIndexedHits(int count) {
    m_searching = false;
    if (m_closing)
        return;
    for (const QHelpSearchResult& result : m_search->searchResults(0, count))
        addHit(result.url(), result.title());
    searchIndex(); // a query typed while the last one ran
}

void HelpWindow::addHit(const QUrl& url, const QString& title) {
    for (int row = 0; row < m_results->count(); ++row) {
        if (m_results->item(row)->data(kUrlRole).toUrl() == url)
            return;
    }
    auto* item = new QListWidgetItem(title.isEmpty() ? url.fileName() : title, m_results);
    item->setData(kUrlRole, url);
}

const QList<HelpPage>& HelpWindow::pages() {
    if (!m_pages.isEmpty())
        return m_pages;
    const QString space = m_engine->registeredDocumentations().value(0);
    for (const QUrl& url : m_engine->files(space, QString(), QStringLiteral("html"))) {
        QTextDocument document;
        document.setHtml(QString::fromUtf8(m_engine->fileData(url)));
        m_pages.append(
            {url, document.metaInformation(QTextDocument::DocumentTitle), document.toPlainText()});
    }
    return m_pages;
}

void HelpWindow::showTableOfContents() {
    m_tree->expandAll();
    const QModelIndex first = m_engine->contentModel()->index(0, 0);
    if (!first.isValid()) {
        return;
    }
    m_tree->setCurrentIndex(first);
    showContentsItem(first);
}

void HelpWindow::showContentsItem(const QModelIndex& index) {
    const QHelpContentItem* item = m_engine->contentModel()->contentItemAt(index);
    // A page shown at one of its anchors is already the item's page.
    if (item != nullptr && item->url() != m_page->source().adjusted(QUrl::RemoveFragment)) {
        m_page->setSource(item->url());
    }
}

void HelpWindow::followPage(const QUrl& url) {
    // Keep the tree on the page that a link or the index led to.
    const QModelIndex index = m_tree->indexOf(url);
    if (index.isValid() && index != m_tree->currentIndex()) {
        m_tree->setCurrentIndex(index);
    }
}
