// The extra and excluded characters as the user pastes and types them, and as the settings
// file brings them back.
#include "IniValues.h"
#include "WindowFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

namespace {
const QString kEmoji = QString::fromUtf8("😀");

QString longText(qsizetype size) {
    QString text;
    text.reserve(size);
    for (qsizetype i = 0; i < size; ++i)
        text.append(QChar(char16_t(u'a' + i % 26)));
    return text;
}
} // namespace

class TestFreeTextBoxes : public QObject {
    Q_OBJECT
private slots:
    void pastedText_data();
    void pastedText();
    void longTextSurvivesStartAndClose();
    void longPasteStaysWhole();
    void settingsTextIsCleaned();
    void typedPairStaysWhole();
};

void TestFreeTextBoxes::pastedText_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("cursor");
    QTest::newRow("lines, after text") << "extraText"
                                       << "xy"
                                       << "ab\r\ncd\t\n"
                                       << "xyabcd" << 6;
    QTest::newRow("emoji whole") << "extraText"
                                 << "" << kEmoji + "\n" + kEmoji << kEmoji + kEmoji << 4;
    // Seen in passwords: NEXT LINE breaks a printed line, CSI starts a terminal escape.
    QTest::newRow("C1 controls and separators")
        << "extraText"
        << "a" << u"\u009B\u0085b\u2028\u2029c"_qs << "abc" << 3;
    QTest::newRow("invisible format characters")
        << "excludeText"
        << "" << u"\u00ADa\u200B\u202Eb\u2066\uFEFF"_qs << "ab" << 2;
    QTest::newRow("joiner inside an emoji sequence stays")
        << "extraText"
        << "" << u"\U0001F469\u200D\U0001F4BB\u200D"_qs << u"\U0001F469\u200D\U0001F4BB"_qs << 5;
    QTest::newRow("controls before an emoji sequence, after text")
        << "excludeText"
        << "abc" << u"\U0001F600\u009B\u0085\u202E\U0001F469\u200D\U0001F4BB"_qs
        << u"abc\U0001F600\U0001F469\u200D\U0001F4BB"_qs << 10;
    QTest::newRow("lone surrogate") << "excludeText"
                                    << "" << QString("a") + QChar(0xDC00) + "b"
                                    << "ab" << 2;
}

void TestFreeTextBoxes::pastedText() {
    QFETCH(QString, box);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    QFETCH(QString, text);
    QFETCH(int, cursor);
    WindowFixture f;
    f.box("extraBox")->setChecked(true);
    f.box("excludeBox")->setChecked(true);
    auto* edit = f->findChild<QLineEdit*>(box);
    edit->setText(before);
    edit->end(false);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->cursorPosition(), cursor);
}

// 40,000 characters in keymill.ini come back whole after a start and a close.
void TestFreeTextBoxes::longTextSurvivesStartAndClose() {
    const QString stored = longText(40000);
    QTemporaryDir dir;
    const QString ini = dir.filePath("keymill.ini");
    QVERIFY(WriteIniValue("Add", "AddChr", "1", ini));
    QVERIFY(WriteIniValue("Add", "AddChrList", stored, ini));
    {
        MainWindow window(nullptr, dir.path());
        QCOMPARE(Part<QLineEdit>(window, "extraText")->text().size(), stored.size());
        window.show();
        QVERIFY(window.close());
    }
    QCOMPARE(ReadIniValue("Add", "AddChrList", ini), stored);
}

void TestFreeTextBoxes::longPasteStaysWhole() {
    WindowFixture f;
    f.box("excludeBox")->setChecked(true);
    const QString pasted = longText(70000);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(f.text("excludeText"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(f.text("excludeText")->text(), pasted);
}

// Whatever sets the text, the change handler sees clean text only.
void TestFreeTextBoxes::settingsTextIsCleaned() {
    WindowFixture f;
    QStringList seen;
    connect(f.text("extraText"), &QLineEdit::textChanged, [&](const QString& t) { seen << t; });
    f.text("extraText")
        ->setText(QString("a\tb") + QChar(0xD800) + QChar(0x85) + QChar(0x200E) + kEmoji);
    QCOMPARE(f.text("extraText")->text(), "ab" + kEmoji);
    QCOMPARE(seen, QStringList{"ab" + kEmoji});
}

// Typed characters, and text that an input method commits, go through the same filter.
void TestFreeTextBoxes::typedPairStaysWhole() {
    WindowFixture f;
    f.box("extraBox")->setChecked(true);
    QLineEdit* box = f.text("extraText");
    QTest::keyClicks(box, "x");
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, kEmoji, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(QChar(0xD83D)), Qt::NoModifier);
    QTest::keyClick(box, Qt::Key_Tab); // moves the focus on, adds nothing
    QCOMPARE(box->text(), "x" + kEmoji);
    QInputMethodEvent commit;
    commit.setCommitString(QString("y\nz") + QChar(0xDE00));
    QApplication::sendEvent(box, &commit);
    QCOMPARE(box->text(), "x" + kEmoji + "yz");
    box->setFocus();
    box->setCursorPosition(3); // after the emoji
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QString("xyz"));
}

QTEST_MAIN(TestFreeTextBoxes)
#include "tst_FreeTextBoxes.moc"
