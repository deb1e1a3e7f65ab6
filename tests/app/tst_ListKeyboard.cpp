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
    f->txtMojisu->setText("6");
    f->txtSeisei->setText("9");
    if (state == "stopped") {
        f->duringYield = [&] { f->mnuRunStop_Click(); };
        f->mnuRunStart_Click();
        f->duringYield = nullptr;
    } else if (state == "empty pool") {
        f->chkDeleteChr->setChecked(true);
        f->txtDeleteChr->setText("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
        f->mnuRunStart_Click();
    } else if (state == "completed") {
        f->mnuRunStart_Click();
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
    f->txtSeisei->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget() == f->lvwPW, reached);
    // ... and from the list, Tab and Shift+Tab leave it for the option controls again.
    if (reached) {
        QTest::keyClick(f->lvwPW, Qt::Key_Tab);
        QVERIFY(QApplication::focusWidget() != f->lvwPW);
        f->chkAddSuji->setFocus();
        QTest::keyClick(f->chkAddSuji, Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), f->chkAddSuji);
    }
    // The option controls keep their order.
    f->chkAddSuji->setFocus();
    QTest::keyClick(f->chkAddSuji, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), f->chkAddAlphabetBig);
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

    f->lvwPW->setFocus();
    const int row = f->lvwPW->resultModel()->count() > 3 ? 3 : 0;
    f->lvwPW->setCurrentIndex(f->lvwPW->model()->index(row, 0));
    QTest::keyClick(f->lvwPW, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(shown != nullptr, offered);
    if (offered) {
        QCOMPARE(shown, f->mnuPopup);
        // On the current row's bottom edge, inside the list.
        const QRect rowRect = f->lvwPW->visualRect(f->lvwPW->currentIndex());
        const QPoint inList = f->lvwPW->viewport()->mapFromGlobal(at);
        QCOMPARE(inList.y(), rowRect.bottom());
        QVERIFY(f->lvwPW->viewport()->rect().contains(inList));
    }
}

QTEST_MAIN(ListKeyboardTest)
#include "tst_ListKeyboard.moc"
