// The result list by keyboard alone: Tab reaches it once it holds passwords, and the pop-up
// menu key or Shift+F10 offers its menu under the current row.
#include "ResultListView.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTest>

class ListKeyboardTest : public QObject {
    Q_OBJECT
private slots:
    void tabReachesTheList_data();
    void tabReachesTheList();
    void menuKeyOffersThePopup_data();
    void menuKeyOffersThePopup();
};

namespace {

// Runs to the state named: "fresh" (no run), "completed", "stopped", "empty pool".
void bringTo(WindowFixture& f, const QString& state) {
    f.lengthBox()->setText("6");
    f.countBox()->setText("9");
    if (state == "stopped") {
        f.run([&](int) { f.actions().stop->trigger(); });
    } else if (state == "empty pool") {
        f.box("excludeBox")->setChecked(true);
        f.text("excludeText")
            ->setText("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        f.run();
    } else if (state == "completed") {
        f.run();
    }
}

} // namespace

void ListKeyboardTest::tabReachesTheList_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<bool>("reached");
    QTest::newRow("first start") << "fresh" << false;
    QTest::newRow("after a run") << "completed" << true;
    QTest::newRow("after a stop") << "stopped" << false;
    QTest::newRow("empty pool") << "empty pool" << false;
}

void ListKeyboardTest::tabReachesTheList() {
    QFETCH(QString, state);
    QFETCH(bool, reached);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    bringTo(f, state);

    // From the count box, the last of the option controls, Tab goes on to the list...
    f.countBox()->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget() == f.list(), reached);
    // ... and from the list, Tab and Shift+Tab leave it for the option controls again.
    if (reached) {
        QTest::keyClick(f.list(), Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != f.list());
        f.box("digitsBox")->setFocus();
        QTest::keyClick(f.box("digitsBox"), Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f.box("digitsBox"));
    }
    // The option controls keep their order.
    f.box("digitsBox")->setFocus();
    QTest::keyClick(f.box("digitsBox"), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f.box("upperBox"));
}

void ListKeyboardTest::menuKeyOffersThePopup_data() {
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("offered");
    QTest::newRow("menu key") << "completed" << int(Qt::Key_Menu) << int(Qt::NoModifier) << true;
    QTest::newRow("Shift+F10") << "completed" << int(Qt::Key_F10) << int(Qt::ShiftModifier) << true;
    QTest::newRow("F10 alone") << "completed" << int(Qt::Key_F10) << int(Qt::NoModifier) << false;
    QTest::newRow("Ctrl+F10") << "completed" << int(Qt::Key_F10) << int(Qt::ControlModifier)
                              << false;
    QTest::newRow("after a stop") << "stopped" << int(Qt::Key_Menu) << int(Qt::NoModifier) << false;
    QTest::newRow("empty pool") << "empty pool" << int(Qt::Key_Menu) << int(Qt::NoModifier)
                                << false;
}

void ListKeyboardTest::menuKeyOffersThePopup() {
    QFETCH(QString, state);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(bool, offered);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowActive(f.window.get()));
    bringTo(f, state);
    QMenu* shown = nullptr;
    QPoint at;
    f->showPopupMenu = [&](QMenu* menu, const QPoint& pos) {
        shown = menu;
        at = pos;
    };

    f.list()->setFocus();
    const int row = f.list()->resultModel()->count() > 3 ? 3 : 0;
    f.list()->setCurrentIndex(f.list()->model()->index(row, 0));
    QTest::keyClick(f.list(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(shown != nullptr, offered);
    if (offered) {
        QCOMPARE(shown, Part<QMenu>(*f.window, "popupMenu"));
        // On the current row's bottom edge, inside the list.
        const QRect rowRect = f.list()->visualRect(f.list()->currentIndex());
        const QPoint inList = f.list()->viewport()->mapFromGlobal(at);
        QCOMPARE(inList.y(), rowRect.bottom());
        QVERIFY(f.list()->viewport()->rect().contains(inList));
    }
}

QTEST_MAIN(ListKeyboardTest)
#include "tst_ListKeyboard.moc"
