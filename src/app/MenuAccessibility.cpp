#include "MenuAccessibility.h"

#include "MainWindowAccessibility.h"

#include <QAccessible>
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>

namespace {

// The menu or menu bar that shows the action: an open one first.
QWidget* shownIn(const QAction* action) {
    QWidget* first = nullptr;
    for (QObject* object : action->associatedObjects()) {
        auto* widget = qobject_cast<QWidget*>(object);
        if (qobject_cast<QMenu*>(widget) == nullptr && qobject_cast<QMenuBar*>(widget) == nullptr)
            continue;
        if (widget->isVisible())
            return widget;
        if (first == nullptr)
            first = widget;
    }
    return first;
}

QRect actionGeometry(QWidget* owner, QAction* action) {
    if (auto* menu = qobject_cast<QMenu*>(owner))
        return menu->actionGeometry(action);
    if (auto* bar = qobject_cast<QMenuBar*>(owner))
        return bar->actionGeometry(action);
    return {};
}

// The letter after "&", lower case, or none.
QString accessLetter(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (caption.at(i + 1) != QLatin1Char('&'))
            return caption.at(i + 1).toLower();
        ++i;
    }
    return {};
}

// A key sequence the way AT-SPI writes key bindings: "<Control>s", "F5".
QString bindingText(const QKeySequence& sequence) {
    if (sequence.isEmpty())
        return {};
    const QKeyCombination combination = sequence[0];
    QString text;
    const Qt::KeyboardModifiers modifiers = combination.keyboardModifiers();
    if (modifiers & Qt::ControlModifier)
        text += QStringLiteral("<Control>");
    if (modifiers & Qt::ShiftModifier)
        text += QStringLiteral("<Shift>");
    if (modifiers & Qt::AltModifier)
        text += QStringLiteral("<Alt>");
    const QString key = QKeySequence(combination.key()).toString(QKeySequence::PortableText);
    return text + (key.size() == 1 ? key.toLower() : key);
}

// The keys from the menu bar to the action: "<Alt>r:e".
QString keyPath(QAction* action) {
    QStringList path;
    for (QAction* step = action; step != nullptr;) {
        const QString letter = accessLetter(step->text());
        QWidget* owner = shownIn(step);
        if (letter.isEmpty() || owner == nullptr)
            return {};
        if (qobject_cast<QMenuBar*>(owner) != nullptr) {
            path.prepend(QStringLiteral("<Alt>") + letter);
            return path.join(QLatin1Char(':'));
        }
        path.prepend(letter);
        step = static_cast<QMenu*>(owner)->menuAction();
        // A pop-up menu shown on its own has no way in from the menu bar.
        if (step == nullptr || shownIn(step) == nullptr)
            return {};
    }
    return {};
}

class MenuItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit MenuItemAccessible(QAction* action) : m_action(action) {}

    bool isValid() const override { return !m_action.isNull() && owner() != nullptr; }
    QObject* object() const override { return m_action.data(); }
    QWindow* window() const override {
        QWidget* menu = owner();
        return menu != nullptr ? menu->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(owner());
    }
    int childCount() const override { return submenu() != nullptr ? 1 : 0; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 && submenu() != nullptr ? QAccessible::queryAccessibleInterface(submenu())
                                                  : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == submenu() ? 0 : -1;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }

    QString text(QAccessible::Text t) const override {
        if (m_action.isNull())
            return {};
        switch (t) {
        case QAccessible::Name:
            return WithoutAccessKey(m_action->text());
        case QAccessible::Accelerator:
            return m_action->shortcut().toString(QKeySequence::NativeText);
        case QAccessible::Description:
            return m_action->statusTip();
        default:
            return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QWidget* menu = owner();
        if (menu == nullptr)
            return {};
        const QRect area = actionGeometry(menu, m_action);
        return QRect(menu->mapToGlobal(area.topLeft()), area.size());
    }
    QAccessible::Role role() const override {
        return m_action && m_action->isSeparator() ? QAccessible::Separator : QAccessible::MenuItem;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        QWidget* menu = owner();
        if (m_action.isNull() || menu == nullptr) {
            state.invalid = true;
            return state;
        }
        state.disabled = !m_action->isEnabled();
        state.invisible = !m_action->isVisible() || !menu->isVisible();
        state.checkable = m_action->isCheckable();
        state.checked = m_action->isChecked();
        state.hasPopup = submenu() != nullptr;
        QAction* active = nullptr;
        if (auto* list = qobject_cast<QMenu*>(menu))
            active = list->activeAction();
        else if (auto* bar = qobject_cast<QMenuBar*>(menu))
            active = bar->activeAction();
        state.focused = state.hotTracked = active == m_action;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }

    QStringList actionNames() const override {
        // A disabled item keeps its action, so that its keys are still told.
        if (m_action.isNull() || m_action->isSeparator())
            return {};
        return {submenu() != nullptr ? showMenuAction() : pressAction()};
    }
    void doAction(const QString& name) override {
        if (!actionNames().contains(name) || !m_action->isEnabled())
            return;
        QWidget* menu = owner();
        if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
            bar->setActiveAction(m_action);
        } else if (auto* list = qobject_cast<QMenu*>(menu)) {
            if (submenu() != nullptr)
                list->setActiveAction(m_action);
            else
                m_action->trigger();
        }
    }
    // Access key; the keys from the menu bar; the shortcut.
    QStringList keyBindingsForAction(const QString& name) const override {
        if (!actionNames().contains(name))
            return {};
        QString mnemonic = accessLetter(m_action->text());
        if (!mnemonic.isEmpty() && qobject_cast<QMenuBar*>(owner()) != nullptr)
            mnemonic.prepend(QStringLiteral("<Alt>"));
        return {mnemonic, keyPath(m_action), bindingText(m_action->shortcut())};
    }

private:
    QWidget* owner() const { return m_action ? shownIn(m_action) : nullptr; }
    QMenu* submenu() const { return m_action ? m_action->menu<QMenu*>() : nullptr; }

    QPointer<QAction> m_action;
};

QAccessibleInterface* menuItemFactory(const QString& className, QObject* object) {
    auto* action = qobject_cast<QAction*>(object);
    if (action == nullptr || className != QLatin1String("QAction") || shownIn(action) == nullptr)
        return nullptr;
    return new MenuItemAccessible(action);
}

} // namespace

void ExposeMenuItemsPlainly() {
    static const bool installed = [] {
        QAccessible::installFactory(menuItemFactory);
        return true;
    }();
    Q_UNUSED(installed);
}
