// What a screen reader hears in the main window, and the keys that reach the list's menu. Qt reads
// a check box's caption with its access key as "数字(N)", names a text box after the frame around
// it, and lists lines, frames and the hidden work list as objects of their own; this file says it
// better.
#include "frmMainAccessibility.h"

#include "ResultListView.h"
#include "frmMain.h"

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

// Marked decoration, a toolbar's separator, or a widget hidden in its own right (the work
// list, the progress frame while no run lasts, the toolbar's overflow button): a reader has
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

void SetUpAccessibility(frmMain& window) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(containerFactory);
        return true;
    }();
    Q_UNUSED(factoryInstalled);

    // Check boxes by their caption alone; the access key is announced as their shortcut.
    for (QCheckBox* box : {window.chkAddSuji, window.chkAddAlphabetBig, window.chkAddAlphabetMini,
                           window.chkAddChr, window.chkDeleteChr})
        nameAfterCaption(box, box->text());
    // Each free-text box is named after the check box that switches it on, yet apart from it.
    for (auto [box, check] : {std::pair{window.txtAddChr, window.chkAddChr},
                              std::pair{window.txtDeleteChr, window.chkDeleteChr}})
        box->setAccessibleName(WithoutAccessKey(check->text()) + QStringLiteral("の文字"));

    // The number boxes: named by their labels, described by the hint below them.
    for (auto [box, label] :
         {std::pair{window.txtMojisu, window.Label4}, std::pair{window.txtSeisei, window.Label6}}) {
        nameAfterCaption(label, label->text());
        nameAfterCaption(box, label->text());
    }
    for (QLineEdit* box : {window.txtMojisu, window.txtSeisei})
        box->setAccessibleDescription(window.Label1->text());

    window.fraAddChr->setAccessibleName(window.fraAddChr->title());
    window.fraCountSet->setAccessibleName(QStringLiteral("文字数と生成数"));
    window.fraProgressbar->setAccessibleName(QStringLiteral("生成の進み具合"));

    // The list by its column's heading. The progress bar by the state text beside it, read
    // afresh whenever the run changes it; the count by its heading.
    window.lvwPW->setAccessibleName(QStringLiteral("パスワード生成結果"));
    window.lblStatus->setBuddy(window.prgCount);
    window.lblKanryo->setBuddy(window.lblProgressbar);
    window.lblProgressbar->setAccessibleDescription(window.lblKanryo->text());

    // Lines are decoration; the work list never shows.
    for (QWidget* decoration :
         {static_cast<QWidget*>(window.Line1), static_cast<QWidget*>(window.Line2),
          static_cast<QWidget*>(window.etchedLine), static_cast<QWidget*>(window.lstSagyo)}) {
        if (decoration != nullptr)
            takeOutOfTree(decoration);
    }
    window.tlbMain->setAccessibleName(QStringLiteral("ツールバー"));
    for (QWidget* container :
         {window.client, static_cast<QWidget*>(window.tlbMain),
          static_cast<QWidget*>(window.fraAddChr), static_cast<QWidget*>(window.fraCountSet),
          static_cast<QWidget*>(window.fraProgressbar)})
        pruneChildrenOf(container);

    // The pop-up menu key and Shift+F10 offer the list's menu as a right click on the current
    // row does, under the same conditions.
    QObject::connect(window.lvwPW, &ResultListView::popupMenuKeyPressed, &window,
                     [&window](const QPoint& pos) {
                         window.lvwPW_MouseDown(Qt::RightButton, Qt::NoModifier, pos);
                     });
}
