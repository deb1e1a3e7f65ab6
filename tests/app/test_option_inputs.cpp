// The option boxes as the user types and pastes into them, and the check before a run.
#include "ResultListModel.h"
#include "ResultListView.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>

class TestOptionInputs : public QObject {
    Q_OBJECT
private slots:
    void typedKeys_data();
    void typedKeys();
    void pastedText_data();
    void pastedText();
    void pasteIsCutAtFiveCharacters();
    void controlKeysPassSilently_data();
    void controlKeysPassSilently();
    void validation_data();
    void validation();
    void freeTextBoxFollowsItsCheckBox();
};

void TestOptionInputs::typedKeys_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::newRow("letter") << "lengthBox"
                            << "a"
                            << "" << 1;
    QTest::newRow("blank") << "lengthBox"
                           << " "
                           << "" << 1;
    QTest::newRow("minus") << "countBox"
                           << "-"
                           << "" << 1;
    QTest::newRow("point") << "countBox"
                           << "."
                           << "" << 1;
    QTest::newRow("digits") << "lengthBox"
                            << "709"
                            << "709" << 0;
    QTest::newRow("mixed") << "countBox"
                           << "1x2:3"
                           << "123" << 2;
    QTest::newRow("sixth digit") << "lengthBox"
                                 << "123456"
                                 << "12345" << 0;
}

void TestOptionInputs::typedKeys() {
    QFETCH(QString, box);
    QFETCH(QString, keys);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    WindowFixture f;
    auto* edit = f->findChild<QLineEdit*>(box);
    QTest::keyClicks(edit, keys);
    QCOMPARE(edit->text(), text);
    QCOMPARE(f.beeps, beeps);
    // Backspace is a control key and passes.
    if (!text.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), text.chopped(1));
        QCOMPARE(f.beeps, beeps);
    }
}

void TestOptionInputs::controlKeysPassSilently_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Ctrl+minus") << int(Qt::Key_Minus) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+period") << int(Qt::Key_Period) << int(Qt::ControlModifier);
    QTest::newRow("Ctrl+Shift+minus")
        << int(Qt::Key_Underscore) << int(Qt::ControlModifier | Qt::ShiftModifier);
    QTest::newRow("Ctrl+Z") << int(Qt::Key_Z) << int(Qt::ControlModifier);
}

void TestOptionInputs::controlKeysPassSilently() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    WindowFixture f;
    for (QLineEdit* box : {f.lengthBox(), f.countBox()}) {
        box->setText(QStringLiteral("12"));
        QTest::keyClick(box, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(box->text(), QStringLiteral("12")); // nothing typed, nothing to undo
    }
    QCOMPARE(f.beeps, 0);
}

void TestOptionInputs::pastedText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("beeps");
    QTest::newRow("letter inside") << "countBox"
                                   << "12a3"
                                   << "123" << 1;
    QTest::newRow("minus inside and last") << "lengthBox"
                                           << "1-2-"
                                           << "12" << 2;
    QTest::newRow("leading minus stays") << "lengthBox"
                                         << "-5"
                                         << "-5" << 0;
    QTest::newRow("minus becomes first") << "lengthBox"
                                         << "a-1"
                                         << "-1" << 1;
    QTest::newRow("decimal point stays") << "countBox"
                                         << "1.5"
                                         << "1.5" << 0;
    QTest::newRow("full-width five") << "countBox"
                                     << "1５"
                                     << "1" << 1;
    QTest::newRow("all refused") << "lengthBox"
                                 << "ab/ "
                                 << "" << 4;
}

void TestOptionInputs::pastedText() {
    QFETCH(QString, box);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(int, beeps);
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    auto* edit = f->findChild<QLineEdit*>(box);
    QApplication::clipboard()->setText(pasted);
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), text);
    QCOMPARE(f.beeps, beeps);
    QCOMPARE(edit->cursorPosition(), int(text.size()));
    if (beeps > 0)
        QCOMPARE(QApplication::focusWidget(), edit);
}

void TestOptionInputs::pasteIsCutAtFiveCharacters() {
    WindowFixture f;
    QApplication::clipboard()->setText("1234567");
    QTest::keyClick(f.countBox(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.countBox()->text(), QString("12345"));
}

// Every text the boxes can hold is judged in tst_RunRefusalText; here the window's part: a
// valid pair runs, a refused one shows its message and leaves the list alone.
void TestOptionInputs::validation_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("message");
    QTest::newRow("leading zeros") << "007"
                                   << "010"
                                   << "";
    QTest::newRow("point count") << "8"
                                 << "1.5"
                                 << "Error:生成数に数字以外のものが含まれています。";
    QTest::newRow("zero length, bad count") << "0"
                                            << "-3"
                                            << "Error:文字数に0を指定することはできません。\n"
                                               "Error:生成数に数字以外のものが含まれています。";
}

void TestOptionInputs::validation() {
    QFETCH(QString, length);
    QFETCH(QString, count);
    QFETCH(QString, message);
    WindowFixture f;
    f.lengthBox()->setText(length);
    f.countBox()->setText(count);
    QCOMPARE(f.beeps, 0);
    QVERIFY(f.actions().start->isEnabled());
    f.run();
    if (message.isEmpty()) {
        QVERIFY(f.errors.isEmpty());
        QCOMPARE(f.list()->resultModel()->count(), count.toInt());
    } else {
        QCOMPARE(f.errors, QStringList{message});
        QCOMPARE(f.list()->resultModel()->count(), 0);
        QVERIFY(!f.actions().save->isEnabled());
    }
}

void TestOptionInputs::freeTextBoxFollowsItsCheckBox() {
    WindowFixture f;
    f.box("extraBox")->setChecked(true);
    QVERIFY(f.text("extraText")->isEnabled());
    QCOMPARE(f.text("extraText")->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Base));
    f.text("extraText")->setText("xyz");
    f.box("extraBox")->setChecked(false);
    QVERIFY(!f.text("extraText")->isEnabled());
    QCOMPARE(f.text("extraText")->palette().color(QPalette::Base),
             QApplication::palette().color(QPalette::Button));
    QCOMPARE(f.text("extraText")->text(), QString("xyz"));
    f.box("extraBox")->setChecked(true);
    QCOMPARE(f.text("extraText")->text(), QString("xyz"));
}

QTEST_MAIN(TestOptionInputs)
#include "test_option_inputs.moc"
