#include "HelpBrowser.h"

#include <QDesktopServices>
#include <QHelpEngineCore>
#include <QTextBlock>
#include <QTextDocument>

HelpBrowser::HelpBrowser(QHelpEngineCore* engine, QWidget* parent)
    : QTextBrowser(parent), m_engine(engine) {
    // Left to QTextBrowser, every link it cannot load from disk goes to the desktop, and the
    // desktop has no viewer for "qthelp:".
    setOpenLinks(false);
    setOpenExternalLinks(false);
    openOutside = [](const QUrl& url) { QDesktopServices::openUrl(url); };
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
    connect(document(), &QTextDocument::contentsChanged, this, [this] {
        m_linksRead = false;
        ++m_generation;
        setExtraSelections({});
    });
    connect(this, &HelpBrowser::linkFocused, this, &HelpBrowser::markFocusedLink);
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

const QList<PageLink>& HelpBrowser::links() const {
    if (m_linksRead)
        return m_links;
    m_links.clear();
    // A link is a run of fragments that share one target; it may go on into the next block.
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat format = fragment.charFormat();
            if (!format.isAnchor() || format.anchorHref().isEmpty())
                continue;
            const QUrl target = source().resolved(QUrl(format.anchorHref()));
            if (!m_links.isEmpty() && m_links.last().end == fragment.position() &&
                m_links.last().target == target) {
                m_links.last().end += fragment.length();
                m_links.last().text += fragment.text();
            } else {
                m_links.append({fragment.position(), fragment.position() + fragment.length(),
                                fragment.text(), target});
            }
        }
    }
    for (PageLink& link : m_links)
        link.text = link.text.trimmed();
    m_linksRead = true;
    return m_links;
}

int HelpBrowser::focusedLink() const {
    const QTextCursor cursor = textCursor();
    if (!cursor.hasSelection())
        return -1;
    const QList<PageLink>& all = links();
    for (int i = 0; i < all.size(); ++i) {
        if (all[i].start == cursor.selectionStart() && all[i].end == cursor.selectionEnd())
            return i;
    }
    return -1;
}

void HelpBrowser::focusLink(int index) {
    const QList<PageLink>& all = links();
    if (index < 0 || index >= all.size())
        return;
    QTextCursor cursor(document());
    cursor.setPosition(all[index].start);
    cursor.setPosition(all[index].end, QTextCursor::KeepAnchor);
    setTextCursor(cursor);
    ensureCursorVisible();
    emit linkFocused(index);
}

void HelpBrowser::openLink(int index) {
    const QList<PageLink>& all = links();
    if (index >= 0 && index < all.size())
        followLink(all[index].target);
}

// The focused link in the colours of a selection, plainer than the dotted line Qt draws.
void HelpBrowser::markFocusedLink(int index) {
    const QList<PageLink>& all = links();
    if (index < 0 || index >= all.size())
        return;
    QTextEdit::ExtraSelection mark;
    mark.cursor = QTextCursor(document());
    mark.cursor.setPosition(all[index].start);
    mark.cursor.setPosition(all[index].end, QTextCursor::KeepAnchor);
    mark.format.setBackground(palette().brush(QPalette::Active, QPalette::Highlight));
    mark.format.setForeground(palette().brush(QPalette::Active, QPalette::HighlightedText));
    setExtraSelections({mark});
}

void HelpBrowser::focusOutEvent(QFocusEvent* event) {
    setExtraSelections({});
    QTextBrowser::focusOutEvent(event);
}

bool HelpBrowser::focusNextPrevChild(bool next) {
    // QTextBrowser moves its selection to the next link itself; the link it reached is shown
    // where the reader can see it and is told to screen readers.
    const bool moved = QTextBrowser::focusNextPrevChild(next);
    const int link = focusedLink();
    if (moved && link >= 0) {
        ensureCursorVisible();
        emit linkFocused(link);
    }
    return moved;
}

void HelpBrowser::followLink(const QUrl& link) {
    const QUrl resolved = source().resolved(link);
    if (opensInHelp(resolved))
        setSource(resolved);
    else
        openOutside(resolved);
}
