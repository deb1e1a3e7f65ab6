// What a screen reader hears in the main window. Qt reads
// a check box's caption with its access key as "数字(N)", names a text box after the frame around
// it, and lists lines and frames as objects of their own; this file says it
// better.
#include "MainWindowAccessibility.h"

#include "MainWindow.h"
#include "ResultListView.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QRegularExpression>
#include <QToolBar>

#include <utility>

namespace {

// Widgets marked with this property are left out of the tree their parent reports.
constexpr const char* kOutOfTreeProperty = "keymillOutOfAccessibilityTree";

// Marked decoration, a toolbar's separator, or a widget hidden in its own right (the progress
// frame while no run lasts, the toolbar's overflow button): a reader has
// nothing to do with them. A widget that shows again comes back.
bool outOfTree(const QObject* object) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    return object->property(kOutOfTreeProperty).toBool() || object->inherits("QToolBarSeparator") ||
           (widget != nullptr && widget->testAttribute(Qt::WA_WState_ExplicitShowHide) &&
            widget->isHidden());
}

// A container whose children a screen reader sees without the decorative ones.
class ContainerWithoutDecoration : public QAccessibleWidget {
public:
    explicit ContainerWithoutDecoration(QWidget* widget, QAccessible::Role role)
        : QAccessibleWidget(widget, role) {}

    int childCount() const override { return int(shownChildren().size()); }

    QAccessibleInterface* child(int index) const override {
        const QList<QAccessibleInterface*> children = shownChildren();
        return index >= 0 && index < children.size() ? children.at(index) : nullptr;
    }

    int indexOfChild(const QAccessibleInterface* child) const override {
        return int(shownChildren().indexOf(const_cast<QAccessibleInterface*>(child)));
    }

private:
    QList<QAccessibleInterface*> shownChildren() const {
        QList<QAccessibleInterface*> children;
        const int all = QAccessibleWidget::childCount();
        for (int i = 0; i < all; ++i) {
            QAccessibleInterface* child = QAccessibleWidget::child(i);
            if (child != nullptr && !outOfTree(child->object()))
                children.append(child);
        }
        return children;
    }
};

// The containers of the main window that hold decorative children, as marked by
// pruneChildrenOf; every other widget keeps Qt's own interface.
QAccessibleInterface* containerFactory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr || !widget->property("keymillPrunedContainer").toBool())
        return nullptr;
    QAccessible::Role role = QAccessible::Pane;
    if (className == QLatin1String("QToolBar"))
        role = QAccessible::ToolBar;
    else if (qobject_cast<QGroupBox*>(widget) != nullptr)
        role = QAccessible::Grouping;
    return new ContainerWithoutDecoration(widget, role);
}

void takeOutOfTree(QWidget* widget) {
    widget->setProperty(kOutOfTreeProperty, true);
}

void pruneChildrenOf(QWidget* container) {
    container->setProperty("keymillPrunedContainer", true);
    // An interface made before the mark (a reader that asked early) is Qt's own: drop it, so
    // the next question goes through the factory.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(container);
    if (made != nullptr && dynamic_cast<ContainerWithoutDecoration*>(made) == nullptr)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

void nameAfterCaption(QWidget* control, const QString& caption) {
    control->setAccessibleName(WithoutAccessKey(caption));
}

} // namespace

QString WithoutAccessKey(const QString& caption) {
    // Japanese captions carry their key in brackets after the text: "文字数(&M)".
    static const QRegularExpression bracketedKey(QStringLiteral("[(（]&[^&][)）]"));
    QString text = caption;
    text.remove(bracketedKey);
    // A key inside the text ("&Save"): the letter stays, the marker goes; "&&" is one "&".
    QString plain;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        plain.append(text.at(i));
    }
    return plain;
}

void MainWindow::setUpAccessibility() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(containerFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    // Check boxes by their caption alone; the access key is announced as their shortcut.
    for (QCheckBox* box : {m_digitsBox, m_upperBox, m_lowerBox, m_extraBox, m_excludeBox,
                           m_noLookAlikesBox, m_eachClassBox})
        nameAfterCaption(box, box->text());
    // Each free-text box is named after the check box that switches it on, yet apart from it.
    for (auto [box, check] :
         {std::pair{m_extraText, m_extraBox}, std::pair{m_excludeText, m_excludeBox}})
        box->setAccessibleName(WithoutAccessKey(check->text()) + QStringLiteral("の文字"));

    // The number boxes: named by their labels, described by the hint below them.
    for (auto [box, label] :
         {std::pair{m_lengthBox, m_lengthLabel}, std::pair{m_countBox, m_countLabel}}) {
        nameAfterCaption(label, label->text());
        nameAfterCaption(box, label->text());
        box->setAccessibleDescription(m_rangeHint->text());
    }

    m_charactersFrame->setAccessibleName(m_charactersFrame->title());
    m_countsFrame->setAccessibleName(QStringLiteral("文字数と生成数"));
    m_progressFrame->setAccessibleName(QStringLiteral("生成の進み具合"));

    // The list by its column's heading. The progress bar by the state text beside it, read
    // afresh whenever the run changes it; the count by its heading.
    m_resultList->setAccessibleName(QStringLiteral("パスワード生成結果"));
    m_statusLabel->setBuddy(m_progressBar);
    m_doneCaption->setBuddy(m_doneCount);
    m_doneCount->setAccessibleDescription(m_doneCaption->text());

    // Lines are decoration.
    for (QWidget* decoration : {m_topLine, m_topLineLight, m_etchedLine})
        takeOutOfTree(decoration);
    m_toolBar->setAccessibleName(QStringLiteral("ツールバー"));
    for (QWidget* container :
         {m_client, static_cast<QWidget*>(m_toolBar), static_cast<QWidget*>(m_charactersFrame),
          static_cast<QWidget*>(m_countsFrame), static_cast<QWidget*>(m_progressFrame)})
        pruneChildrenOf(container);
}
