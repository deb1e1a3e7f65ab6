#include "HelpPageAccessible.h"

#include "HelpBrowser.h"

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBoundaryFinder>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

constexpr const char* kDocumentProperty = "keymillHelpDocument";

// Where the document's text lies on the screen.
QRect onScreen(const HelpBrowser* page, int start, int end) {
    QRect area;
    QTextCursor cursor(page->document());
    for (int position = start; position <= std::max(start, end - 1); ++position) {
        cursor.setPosition(position);
        QRect rect = page->cursorRect(cursor);
        rect.setWidth(std::max(rect.width(), page->fontMetrics().averageCharWidth()));
        area = area.united(rect);
    }
    return QRect(page->viewport()->mapToGlobal(area.topLeft()), area.size());
}

class LinkAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    LinkAccessible(HelpBrowser* page, int index) : m_page(page), m_index(index) {}

    bool isValid() const override { return !m_page.isNull() && m_index < m_page->links().size(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_page ? m_page->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_page.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        const PageLink& link = m_page->links().at(m_index);
        switch (t) {
        case QAccessible::Name:
            return link.text;
        case QAccessible::Description:
        case QAccessible::Value:
            return link.target.toString();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        if (!isValid())
            return {};
        const PageLink& link = m_page->links().at(m_index);
        return onScreen(m_page, link.start, link.end);
    }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.linked = true;
        state.readOnly = true;
        if (!isValid())
            return state;
        state.focused = m_page->hasFocus() && m_page->focusedLink() == m_index;
        const QRect visible(m_page->viewport()->mapToGlobal(QPoint(0, 0)),
                            m_page->viewport()->size());
        state.offscreen = !visible.intersects(rect());
        state.invisible = !m_page->isVisible();
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (!isValid())
            return;
        if (action == pressAction()) {
            m_page->openLink(m_index);
        } else if (action == setFocusAction()) {
            m_page->setFocus(Qt::OtherFocusReason);
            m_page->focusLink(m_index);
        }
    }
    QStringList keyBindingsForAction(const QString& action) const override {
        if (action == pressAction())
            return {QStringLiteral("Return")};
        return {};
    }

private:
    QPointer<HelpBrowser> m_page;
    int m_index;
};

// The page: a read-only document with its text and its links as children.
class DocumentAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit DocumentAccessible(HelpBrowser* page)
        : QAccessibleWidget(page, QAccessible::Document) {}
    ~DocumentAccessible() override { dropLinks(); }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        state.multiLine = true;
        state.selectableText = true;
        return state;
    }

    int childCount() const override { return int(page()->links().size()); }
    QAccessibleInterface* child(int index) const override {
        followPage();
        if (index < 0 || index >= childCount())
            return nullptr;
        QAccessible::Id& id = m_links[index];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new LinkAccessible(page(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = m_links.cbegin(); it != m_links.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        const int link = page()->hasFocus() ? page()->focusedLink() : -1;
        return link >= 0 ? child(link) : nullptr;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        for (int i = 0; i < childCount(); ++i) {
            QAccessibleInterface* link = child(i);
            if (link != nullptr && link->rect().contains(x, y))
                return link;
        }
        return nullptr;
    }

    // --- text: positions are the document's, one character per paragraph break ---------
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value)
            return {};
        return QAccessibleWidget::text(t);
    }
    int characterCount() const override { return int(plainText().size()); }
    QString text(int start, int end) const override { return plainText().mid(start, end - start); }
    int cursorPosition() const override { return page()->textCursor().position(); }
    void setCursorPosition(int position) override {
        QTextCursor cursor = page()->textCursor();
        cursor.setPosition(std::clamp(position, 0, characterCount()));
        page()->setTextCursor(cursor);
    }
    int selectionCount() const override { return page()->textCursor().hasSelection() ? 1 : 0; }
    void selection(int index, int* start, int* end) const override {
        *start = *end = 0;
        const QTextCursor cursor = page()->textCursor();
        if (index == 0 && cursor.hasSelection()) {
            *start = cursor.selectionStart();
            *end = cursor.selectionEnd();
        }
    }
    void addSelection(int start, int end) override { setSelection(0, start, end); }
    void removeSelection(int) override {
        QTextCursor cursor = page()->textCursor();
        cursor.clearSelection();
        page()->setTextCursor(cursor);
    }
    void setSelection(int, int start, int end) override {
        QTextCursor cursor(page()->document());
        cursor.setPosition(std::clamp(start, 0, characterCount()));
        cursor.setPosition(std::clamp(end, 0, characterCount()), QTextCursor::KeepAnchor);
        page()->setTextCursor(cursor);
    }
    QRect characterRect(int offset) const override { return onScreen(page(), offset, offset + 1); }
    int offsetAtPoint(const QPoint& point) const override {
        const QPoint inViewport = page()->viewport()->mapFromGlobal(point);
        return page()->cursorForPosition(inViewport).position();
    }
    void scrollToSubstring(int start, int end) override {
        QTextCursor cursor(page()->document());
        cursor.setPosition(std::clamp(end, 0, characterCount()));
        page()->setTextCursor(cursor);
        page()->ensureCursorVisible();
        cursor.setPosition(std::clamp(start, 0, characterCount()));
        page()->setTextCursor(cursor);
        page()->ensureCursorVisible();
    }
    QString attributes(int offset, int* start, int* end) const override {
        *start = offset;
        *end = offset + 1;
        return {};
    }
    QString textAtOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                         int* end) const override {
        bounds(offset, type, start, end);
        return text(*start, *end);
    }
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                             int* end) const override {
        int atStart = 0;
        int atEnd = 0;
        bounds(offset, type, &atStart, &atEnd);
        if (atStart <= 0) {
            *start = *end = 0;
            return {};
        }
        bounds(atStart - 1, type, start, end);
        return text(*start, *end);
    }
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType type, int* start,
                            int* end) const override {
        int atStart = 0;
        int atEnd = 0;
        bounds(offset, type, &atStart, &atEnd);
        if (atEnd >= characterCount()) {
            *start = *end = characterCount();
            return {};
        }
        bounds(atEnd, type, start, end);
        return text(*start, *end);
    }

private:
    HelpBrowser* page() const { return static_cast<HelpBrowser*>(widget()); }

    QString plainText() const { return page()->document()->toPlainText(); }

    // The stretch of the given kind around offset: [start, end).
    void bounds(int offset, QAccessible::TextBoundaryType type, int* start, int* end) const {
        const QString all = plainText();
        const int count = int(all.size());
        offset = std::clamp(offset, 0, std::max(0, count - 1));
        switch (type) {
        case QAccessible::LineBoundary: {
            const QTextBlock block = page()->document()->findBlock(offset);
            const QTextLayout* layout = block.layout();
            const QTextLine line = layout != nullptr
                                       ? layout->lineForTextPosition(offset - block.position())
                                       : QTextLine();
            if (line.isValid()) {
                *start = block.position() + line.textStart();
                *end = std::min(count, *start + line.textLength() + 1);
                return;
            }
            [[fallthrough]];
        }
        case QAccessible::ParagraphBoundary: {
            const QTextBlock block = page()->document()->findBlock(offset);
            *start = block.position();
            *end = std::min(count, block.position() + block.length());
            return;
        }
        case QAccessible::NoBoundary:
            *start = 0;
            *end = count;
            return;
        default:
            break;
        }
        QTextBoundaryFinder::BoundaryType finderType = QTextBoundaryFinder::Grapheme;
        if (type == QAccessible::WordBoundary)
            finderType = QTextBoundaryFinder::Word;
        else if (type == QAccessible::SentenceBoundary)
            finderType = QTextBoundaryFinder::Sentence;
        QTextBoundaryFinder finder(finderType, all);
        finder.setPosition(offset);
        *start = finder.isAtBoundary() ? offset : int(finder.toPreviousBoundary());
        finder.setPosition(offset);
        *end = int(finder.toNextBoundary());
        if (*start < 0)
            *start = 0;
        if (*end < 0)
            *end = count;
    }

    // A new page has new links: the old ones go.
    void followPage() const {
        if (m_generation != page()->pageGeneration()) {
            dropLinks();
            m_generation = page()->pageGeneration();
        }
    }
    void dropLinks() const {
        for (QAccessible::Id id : std::as_const(m_links)) {
            if (id != 0)
                QAccessible::deleteAccessibleInterface(id);
        }
        m_links.clear();
    }

    mutable QHash<int, QAccessible::Id> m_links;
    mutable int m_generation = -1;
};

QAccessibleInterface* documentFactory(const QString&, QObject* object) {
    auto* page = qobject_cast<HelpBrowser*>(object);
    if (page == nullptr || !page->property(kDocumentProperty).toBool())
        return nullptr;
    return new DocumentAccessible(page);
}

void announceFocusedLink(HelpBrowser* page, int index) {
    if (!QAccessible::isActive())
        return;
    QAccessibleInterface* document = QAccessible::queryAccessibleInterface(page);
    QAccessibleInterface* link = document != nullptr ? document->child(index) : nullptr;
    if (link == nullptr)
        return;
    QAccessibleEvent event(link, QAccessible::Focus);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void ExposeAsDocument(HelpBrowser* page) {
    static const bool installed = [] {
        QAccessible::installFactory(documentFactory);
        return true;
    }();
    Q_UNUSED(installed);
    page->setProperty(kDocumentProperty, true);
    // An interface made before the mark is Qt's own: drop it, so the next question gets ours.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(page);
        made != nullptr && dynamic_cast<DocumentAccessible*>(made) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    QObject::connect(page, &HelpBrowser::linkFocused, page,
                     [page](int index) { announceFocusedLink(page, index); });
    QObject::connect(page, &QTextBrowser::sourceChanged, page, [page] {
        if (!QAccessible::isActive())
            return;
        // The page's children changed: readers fetch them again.
        QAccessibleEvent event(page, QAccessible::ObjectReorder);
        QAccessible::updateAccessibility(&event);
    });
}
