#include "HelpWindow.h"

#include "HelpBrowser.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QHelpContentModel>
#include <QHelpContentWidget>
#include <QHelpEngine>
#include <QSplitter>

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
    // The views read the engine's model, so they go before the engine.
    delete m_splitter;
    m_engine.reset();
}

QTextBrowser* HelpWindow::page() const {
    return m_page;
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
    m_splitter = new QSplitter(Qt::Horizontal, this);
    m_tree = m_engine->contentWidget();
    m_page = new HelpBrowser(m_engine.get());
    m_splitter->addWidget(m_tree);
    m_splitter->addWidget(m_page);
    m_splitter->setStretchFactor(1, 1);
    m_splitter->setSizes({230, 590});

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);

    connect(m_tree, &QHelpContentWidget::linkActivated, m_page,
            [this](const QUrl& url) { m_page->setSource(url); });
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { showContentsItem(current); });
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpWindow::followPage);
    // The engine fills the tree in the background once the file is registered.
    connect(m_engine->contentModel(), &QHelpContentModel::contentsCreated, this,
            &HelpWindow::showTableOfContents);
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
    if (item != nullptr && item->url() != m_page->source()) {
        m_page->setSource(item->url());
    }
}

void HelpWindow::followPage(const QUrl& url) {
    // Keep the tree on the page that a link inside the text led to.
    const QModelIndex index = m_tree->indexOf(url);
    if (index.isValid() && index != m_tree->currentIndex()) {
        m_tree->setCurrentIndex(index);
    }
}
