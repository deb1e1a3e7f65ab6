// The extra and excluded characters as the user pastes and types them, and as the settings
// file brings them back.
#include "FreeTextBox.h"
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
    void longPasteKeepsItsBeginning();
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

// A text in keymill.ini longer than a box shows its beginning; an untouched close keeps it all.
void TestFreeTextBoxes::longTextSurvivesStartAndClose() {
    const QString stored = longText(kMaxFreeTextLength + 40000);
    QTemporaryDir dir;
    const QString ini = dir.filePath("keymill.ini");
    QVERIFY(WriteIniValue("Add", "AddChr", "1", ini));
    QVERIFY(WriteIniValue("Add", "AddChrList", stored, ini));
    {
        MainWindow window(nullptr, dir.path());
        QCOMPARE(Part<QLineEdit>(window, "extraText")->text(), stored.left(kMaxFreeTextLength));
        window.show();
        QVERIFY(window.close());
    }
    QCOMPARE(ReadIniValue("Add", "AddChrList", ini), stored);
}

// Ten megabytes pasted by mistake: the box keeps what fits and says so once.
void TestFreeTextBoxes::longPasteKeepsItsBeginning() {
    WindowFixture f;
    f.box("excludeBox")->setChecked(true);
    auto* box = dynamic_cast<FreeTextBox*>(f.text("excludeText"));
    QVERIFY(box);
    QStringList messages;
    box->showLimitMessage = [&](QWidget*, const QString& text) { messages << text; };
    box->setText("xy");
    const QString pasted = longText(10'000'000);
    QApplication::clipboard()->setText(pasted);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(box->text(), "xy" + pasted.left(kMaxFreeTextLength - 2));
    QCOMPARE(messages, QStringList{FreeTextBox::limitMessage()});
    QCOMPARE(f.beeps, 1);
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
