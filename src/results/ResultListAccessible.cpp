#include "ResultListAccessible.h"

#include "ResultListView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QHeaderView>
#include <QPointer>

namespace {

constexpr const char* kListProperty = "keymillAccessibleList";

int headingRows(const ResultListView* view) {
    return view->header()->isHidden() || view->model()->columnCount() == 0 ? 0 : 1;
}

// The heading (child 0) or one row of the list, addressed by its child number.
class ListEntryAccessible : public QAccessibleInterface {
public:
    ListEntryAccessible(ResultListView* view, int child) : m_view(view), m_child(child) {}

    bool isValid() const override {
        return !m_view.isNull() && m_child < headingRows(m_view) + m_view->model()->rowCount();
    }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_view ? m_view->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_view.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (!isValid())
            return {};
        if (isHeading())
            return t == QAccessible::Name
                       ? m_view->model()->headerData(0, Qt::Horizontal).toString()
                       : QString();
        if (t == QAccessible::Name)
            return index().data().toString();
        if (t == QAccessible::Description)
            return QStringLiteral("%1 / %2").arg(row() + 1).arg(m_view->model()->rowCount());
        return {};
    }
    QRect rect() const override {
        if (!isValid())
            return {};
        if (isHeading()) {
            const QHeaderView* header = m_view->header();
            return QRect(header->mapToGlobal(QPoint(0, 0)), header->size());
        }
        const QRect row = m_view->visualRect(index());
        return QRect(m_view->viewport()->mapToGlobal(row.topLeft()), row.size());
    }
    QAccessible::Role role() const override {
        return isHeading() ? QAccessible::ColumnHeader : QAccessible::ListItem;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        if (!isValid()) {
            state.invalid = true;
            return state;
        }
        if (isHeading())
            return state;
        state.selectable = true;
        state.focusable = true;
        state.selected = m_view->selectionModel()->isRowSelected(row(), {});
        state.focused = m_view->hasFocus() && m_view->currentIndex().row() == row();
        state.active = m_view->currentIndex().row() == row();
        state.offscreen = !m_view->viewport()->rect().intersects(m_view->visualRect(index()));
        return state;
    }

private:
    bool isHeading() const { return m_child < headingRows(m_view); }
    int row() const { return m_child - headingRows(m_view); }
    QModelIndex index() const { return m_view->model()->index(row(), 0); }

    QPointer<ResultListView> m_view;
    int m_child;
};

class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(ResultListView* view) : QAccessibleWidget(view, QAccessible::List) {}
    ~ListAccessible() override {
        for (QAccessible::Id id : std::as_const(m_entries))
            QAccessible::deleteAccessibleInterface(id);
    }

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.multiSelectable = true;
        state.extSelectable = true;
        return state;
    }
    int childCount() const override { return headingRows(view()) + view()->model()->rowCount(); }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount())
            return nullptr;
        QAccessible::Id& id = m_entries[index];
        if (id == 0)
            id = QAccessible::registerAccessibleInterface(new ListEntryAccessible(view(), index));
        return QAccessible::accessibleInterface(id);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (auto it = m_entries.cbegin(); it != m_entries.cend(); ++it) {
            if (QAccessible::accessibleInterface(it.value()) == child)
                return it.key();
        }
        return -1;
    }
    QAccessibleInterface* focusChild() const override {
        const QModelIndex current = view()->currentIndex();
        if (!view()->hasFocus() || !current.isValid())
            return nullptr;
        return child(headingRows(view()) + current.row());
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint inViewport = view()->viewport()->mapFromGlobal(QPoint(x, y));
        const QModelIndex at = view()->indexAt(inViewport);
        return at.isValid() ? child(headingRows(view()) + at.row()) : nullptr;
    }

private:
    ResultListView* view() const { return static_cast<ResultListView*>(widget()); }

    mutable QHash<int, QAccessible::Id> m_entries;
};

QAccessibleInterface* listFactory(const QString&, QObject* object) {
    auto* view = qobject_cast<ResultListView*>(object);
    if (view == nullptr || !view->property(kListProperty).toBool())
        return nullptr;
    return new ListAccessible(view);
}

} // namespace

void ExposeAsList(ResultListView* view) {
    static const bool installed = [] {
        QAccessible::installFactory(listFactory);
        return true;
    }();
    Q_UNUSED(installed);
    view->setProperty(kListProperty, true);
}
