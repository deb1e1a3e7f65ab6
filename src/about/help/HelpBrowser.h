#pragma once

#include <QTextBrowser>

class QHelpEngineCore;

// Shows pages of a compiled help file: "qthelp:" addresses are read from the help engine,
// anything else (such as the program's own "qrc:" icons) the usual way.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QHelpEngineCore* engine, QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    QHelpEngineCore* m_engine;
};
