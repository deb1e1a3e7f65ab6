#pragma once

#include <QTemporaryDir>
#include <QWidget>

#include <memory>

class HelpBrowser;
class QHelpContentWidget;
class QHelpEngine;
class QModelIndex;
class QSplitter;
class QTextBrowser;
class QUrl;

// A top-level window over one compiled help file: the contents tree at the left, the page at
// the right. It has no parent, so it lives on its own beside the main window, and it deletes
// itself when the user closes it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // Opens the help file; nullptr when it is missing or is not a help file.
    static HelpWindow* create(const QString& qchPath);
    ~HelpWindow() override;

    QString helpFile() const { return m_helpFile; }
    QHelpContentWidget* contentsTree() const { return m_tree; }
    QTextBrowser* page() const;

private:
    explicit HelpWindow(const QString& helpFile);
    bool registerHelpFile();
    void buildWidgets();
    void showTableOfContents();
    void showContentsItem(const QModelIndex& index);
    void followPage(const QUrl& url);

    QString m_helpFile;
    // The engine keeps its collection here, in a place of its own that it may write to; the
    // directory must outlive the engine, so it is declared first.
    QTemporaryDir m_collectionDir;
    std::unique_ptr<QHelpEngine> m_engine;
    QSplitter* m_splitter = nullptr;
    QHelpContentWidget* m_tree = nullptr;
    HelpBrowser* m_page = nullptr;
};
