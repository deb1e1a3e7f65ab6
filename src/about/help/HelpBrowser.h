#pragma once

#include <QTextBrowser>

#include <functional>

class QHelpEngineCore;

// Shows pages of a compiled help file: "qthelp:" addresses are read from the help engine,
// anything else (such as the program's own "qrc:" icons) the usual way. A link to another page
// of the help opens here, with back and forward as in any viewer; a link to the web or to mail
// goes to the desktop, which cannot open "qthelp:" addresses.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QHelpEngineCore* engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

    // Whether a link (already resolved against the page it is on) opens in the help window.
    static bool opensInHelp(const QUrl& link);

    // Hands an outside link to the desktop; tests replace it.
    std::function<void(const QUrl&)> openOutside;

private:
    void followLink(const QUrl& link);

    QHelpEngineCore* m_engine;
};
