#pragma once

#include "HelpPageSearch.h"

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class HelpBrowser;
class QAction;
class QHelpContentWidget;
class QHelpEngine;
class QHelpIndexWidget;
class QHelpSearchEngine;
class QHelpSearchQueryWidget;
class QLineEdit;
class QListWidget;
class QModelIndex;
class QSplitter;
class QTabWidget;
class QTextBrowser;
class QToolBar;
class QUrl;

// A top-level window over one compiled help file: back and forward above, the contents tree,
// the keyword index and the search at the left, the page at the right. It has no parent, so it
// lives on its own beside the main window, and it deletes itself when the user closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the help file; nullptr when it is missing or is not a help file.
    static HelpWindow* create(const QString& qchPath);
    ~HelpWindow() override;

    QString helpFile() const { return m_helpFile; }
    QHelpContentWidget* contentsTree() const { return m_tree; }
    HelpBrowser* page() const { return m_page; }
    QTabWidget* tabs() const { return m_tabs; }
    QLineEdit* indexFilter() const { return m_indexFilter; }
    QHelpIndexWidget* indexList() const { return m_index; }
    QHelpSearchQueryWidget* searchQuery() const { return m_query; }
    QListWidget* searchResults() const { return m_results; }
    QAction* backAction() const { return m_back; }
    QAction* forwardAction() const { return m_forward; }

    // Runs a search for the text, as the search tab's button does.
    void search(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameSearchControls();
    explicit HelpWindow(const QString& helpFile);
    bool registerHelpFile();
    void buildWidgets();
    QWidget* buildIndexTab();
    QWidget* buildSearchTab();
    void buildNavigation();
    void showTableOfContents();
    void showContentsItem(const QModelIndex& index);
    void followPage(const QUrl& url);
    void searchFromQuery();
    void addIndexedHits(int count);
    void addHit(const QUrl& url, const QString& title);
    void searchIndex();
    void waitForSearchThreads();
    const QList<HelpPage>& pages();

    QString m_helpFile;
    // The engine keeps its collection and search index here, in a place of its own that it may
    // write to; the directory must outlive the engine, so it is declared first.
    QTemporaryDir m_collectionDir;
    std::unique_ptr<QHelpEngine> m_engine;
    // The full-text search is ours rather than the engine's child: it is destroyed, and its
    // indexing thread stopped, while the engine it reads from still exists.
    std::unique_ptr<QHelpSearchEngine> m_search;
    QToolBar* m_navigation = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QSplitter* m_splitter = nullptr;
    QTabWidget* m_tabs = nullptr;
    QHelpContentWidget* m_tree = nullptr;
    QLineEdit* m_indexFilter = nullptr;
    QHelpIndexWidget* m_index = nullptr;
    QHelpSearchQueryWidget* m_query = nullptr;
    QListWidget* m_results = nullptr;
    HelpBrowser* m_page = nullptr;
    QList<HelpPage> m_pages; // read once, on the first search
    QString m_pendingQuery;  // for the full-text index, once it is free
    bool m_indexing = false;
    bool m_indexed = false;
    bool m_searching = false;
    bool m_closing = false;
};
