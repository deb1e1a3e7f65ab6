#pragma once

#include <QList>
#include <QTextBrowser>

#include <functional>

class QHelpEngineCore;

// One link of the page shown: where its text lies in the document and where it leads.
struct PageLink {
    int start = 0; // document positions, end excluded
    int end = 0;
    QString text;
    QUrl target; // resolved against the page
};

// Shows pages of a compiled help file: "qthelp:" addresses are read from the help engine,
// anything else (such as the program's own "qrc:" icons) the usual way. A link to another page
// of the help opens here, with back and forward as in any viewer; a link to the web or to mail
// goes to the desktop, which cannot open "qthelp:" addresses.
//
// Tab and Shift+Tab walk the links of the page; the link reached is scrolled into view and
// announced to screen readers as the focused object.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QHelpEngineCore* engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

    // Whether a link (already resolved against the page it is on) opens in the help window.
    static bool opensInHelp(const QUrl& link);

    // The links of the page, in reading order; read again whenever the page changes.
    const QList<PageLink>& links() const;
    // The link that has the keyboard focus, or -1.
    int focusedLink() const;
    // Gives the keyboard focus to a link and scrolls it into view.
    void focusLink(int index);
    // Opens a link as a click on it does.
    void openLink(int index);
    // Counts the changes of the page, so that readers of links() know when to read afresh.
    int pageGeneration() const { return m_generation; }

    // Hands an outside link to the desktop; tests replace it.
    std::function<void(const QUrl&)> openOutside;

signals:
    void linkFocused(int index);

protected:
    bool focusNextPrevChild(bool next) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void markFocusedLink(int index);
    void followLink(const QUrl& link);

    QHelpEngineCore* m_engine;
    mutable QList<PageLink> m_links;
    mutable bool m_linksRead = false;
    int m_generation = 0;
};
