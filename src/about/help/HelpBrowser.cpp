#include "HelpBrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>

HelpBrowser::HelpBrowser(QHelpEngineCore* engine, QWidget* parent)
    : QTextBrowser(parent), m_engine(engine) {
    // Left to QTextBrowser, every link it cannot load from disk goes to the desktop, and the
    // desktop has no viewer for "qthelp:".
    setOpenLinks(false);
    setOpenExternalLinks(false);
    openOutside = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() == QLatin1String("qthelp")) {
        return m_engine->fileData(name);
    }
    return QTextBrowser::loadResource(type, name);
}

bool HelpBrowser::opensInHelp(const QUrl& link) {
    return link.scheme() == QLatin1String("qthelp");
}

void HelpBrowser::followLink(const QUrl& link) {
    const QUrl resolved = source().resolved(link);
    if (opensInHelp(resolved))
        setSource(resolved);
    else
        openOutside(resolved);
}
