// The window's two policies and its strength label, driven as a user drives them.
#include "CaptionFrame.h"
#include "IniValues.h"
#include "LookAlikes.h"
#include "PasswordLimits.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RunRefusalCases.h"
#include "RunRefusalText.h"
#include "WindowFixture.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTest>

Q_DECLARE_METATYPE(RunRequest)
Q_DECLARE_METATYPE(RunRefusal)

namespace {

// Sets every option control of the window as the request asks.
void Ask(MainWindow* w, const RunRequest& request) {
    const GenerationOptions& g = request.characters;
    Part<QCheckBox>(*w, "digitsBox")->setChecked(g.digits);
    Part<QCheckBox>(*w, "upperBox")->setChecked(g.upper);
    Part<QCheckBox>(*w, "lowerBox")->setChecked(g.lower);
    Part<QCheckBox>(*w, "extraBox")->setChecked(g.extra);
    Part<QLineEdit>(*w, "extraText")->setText(g.extraText);
    Part<QCheckBox>(*w, "excludeBox")->setChecked(g.exclude);
    Part<QLineEdit>(*w, "excludeText")->setText(g.excludeText);
    Part<QCheckBox>(*w, "noLookAlikesBox")->setChecked(request.noSimilar);
    Part<QCheckBox>(*w, "eachClassBox")->setChecked(request.eachClass);
    Part<QLineEdit>(*w, "lengthBox")->setText(QString::number(request.length));
    Part<QLineEdit>(*w, "countBox")->setText(QString::number(request.count));
}

QStringList Results(MainWindow* w) {
    return Part<ResultListView>(*w, "resultList")->resultModel()->texts();
}

// How far right a check box's caption reaches, in its frame's coordinates.
int CaptionRight(const QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const int textLeft =
        box->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, box).left();
    return box->x() + textLeft + box->fontMetrics().size(Qt::TextShowMnemonic, box->text()).width();
}

QString CliProgram() {
    return qEnvironmentVariable("KEYMILL_BUILD_DIR") + QStringLiteral("/keymill-cli");
}

} // namespace

class TestPolicies : public QObject {
    Q_OBJECT
private slots:
    // The fonts the program draws with, as main() installs them.
    void initTestCase() {
        InstallFontSubstitutions();
        InstallApplicationFont();
    }
    void refusedRunsShowTheRuleAndDoNotRun_data();
    void refusedRunsShowTheRuleAndDoNotRun();
    void bothPoliciesHoldInEveryPassword();
    void accessKeysToggleAndCloseStores();
    void disabledDuringARun();
    void captionsWholeAndInTheirRow();
    void strengthLabelInTheBottomBand();
    void strengthEqualsTheCommandLine_data();
    void strengthEqualsTheCommandLine();
    void numberBoxesHoldTheBound();
};

// The window refuses what the run plan refuses, with the plan's words, and keeps the results
// of the run before.
void TestPolicies::refusedRunsShowTheRuleAndDoNotRun_data() {
    QTest::addColumn<RunRequest>("request");
    QTest::addColumn<RunRefusal>("refusal");
    for (const RunRefusalCase& c : RunRefusalCases()) {
        if (c.windowCanAsk)
            QTest::newRow(c.name) << c.request << c.refusal;
    }
}

void TestPolicies::refusedRunsShowTheRuleAndDoNotRun() {
    QFETCH(RunRequest, request);
    QFETCH(RunRefusal, refusal);
    WindowFixture f;
    f.lengthBox()->setText("6");
    f.countBox()->setText("4");
    f.run();
    const QStringList before = Results(f.window.get());
    QCOMPARE(before.size(), 4);

    Ask(f.window.get(), request);
    QVERIFY(f.actions().start->isEnabled());
    f.run();
    QCOMPARE(f.errors, QStringList{RunRefusalMessage(refusal)});
    QVERIFY(f.errors[0].startsWith("Error:"));
    QCOMPARE(Results(f.window.get()), before);
    QVERIFY(f.actions().save->isEnabled());
    QVERIFY(f.part("charactersFrame")->isEnabled());
    QVERIFY(!(f->runController().state() == RunState::Running));
}

// Done when: look-alikes never appear and every password holds a digit, an upper-case and a
// lower-case letter.
void TestPolicies::bothPoliciesHoldInEveryPassword() {
    WindowFixture f;
    Ask(f.window.get(), RefusalRequest("duw", 4, true, QString(), QString(), true, 1000));
    f.run();
    QVERIFY(f.errors.isEmpty());
    const QStringList passwords = Results(f.window.get());
    QCOMPARE(passwords.size(), 1000);
    for (const QString& password : passwords) {
        QCOMPARE(password.size(), 4);
        for (char32_t c : kLookAlikeCharacters)
            QVERIFY2(!password.contains(QString::fromUcs4(&c, 1)), qPrintable(password));
        QVERIFY2(password.contains(QRegularExpression("[0-9]")) &&
                     password.contains(QRegularExpression("[A-Z]")) &&
                     password.contains(QRegularExpression("[a-z]")),
                 qPrintable(password));
    }
}

void TestPolicies::accessKeysToggleAndCloseStores() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    QApplication::setActiveWindow(f.window.get());
    QVERIFY(!f.box("noLookAlikesBox")->isChecked());
    QVERIFY(!f.box("eachClassBox")->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(f.box("noLookAlikesBox")->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_Y, Qt::AltModifier);
    QTRY_VERIFY(f.box("eachClassBox")->isChecked());
    f.actions().quit->trigger();
    const QString ini = f.dir.path() + "/keymill.ini";
    QCOMPARE(ReadIniValue("Add", "NoSimilar", ini), QString("1"));
    QCOMPARE(ReadIniValue("Add", "EachClass", ini), QString("1"));

    MainWindow again(nullptr, f.dir.path());
    QVERIFY(Part<QCheckBox>(again, "noLookAlikesBox")->isChecked());
    QVERIFY(Part<QCheckBox>(again, "eachClassBox")->isChecked());
    Part<QCheckBox>(again, "eachClassBox")->setChecked(false);
    again.actions().quit->trigger();
    QCOMPARE(ReadIniValue("Add", "NoSimilar", ini), QString("1"));
    QCOMPARE(ReadIniValue("Add", "EachClass", ini), QString("0"));
}

void TestPolicies::disabledDuringARun() {
    WindowFixture f;
    f.lengthBox()->setText("3");
    f.countBox()->setText("20");
    bool enabledDuringRun = true;
    f.run([&](int) {
        enabledDuringRun =
            f.box("noLookAlikesBox")->isEnabled() || f.box("eachClassBox")->isEnabled();
    });
    QVERIFY(!enabledDuringRun);
    QVERIFY(f.box("noLookAlikesBox")->isEnabled());
    QVERIFY(f.box("eachClassBox")->isEnabled());
}

// At the design size and when resized, at every scale the tests run under (QT_SCALE_FACTOR),
// both captions are whole: side by side in the third row, inside the frame, under the boxes of
// the row above.
void TestPolicies::captionsWholeAndInTheirRow() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    for (const QSize client : {QSize(585, 250), QSize(800, 400)}) {
        f->resize(client + QSize(0, f.part("client")->geometry().top()));
        QTRY_COMPARE(f.part("client")->size(), client);
        const QRect inner = static_cast<CaptionFrame*>(f.part("charactersFrame"))->innerRect();
        for (QCheckBox* box : {f.box("noLookAlikesBox"), f.box("eachClassBox")}) {
            QVERIFY2(inner.contains(box->geometry()),
                     qPrintable(QString("%1 %2,%3 %4x%5 in %6 wide")
                                    .arg(box->objectName())
                                    .arg(box->x())
                                    .arg(box->y())
                                    .arg(box->width())
                                    .arg(box->height())
                                    .arg(inner.right())));
            QCOMPARE(box->y(), f.box("lowerBox")->y());
            QVERIFY(box->width() >= box->sizeHint().width());
        }
        QCOMPARE(f.box("noLookAlikesBox")->x(), f.box("excludeBox")->x());
        QVERIFY(CaptionRight(f.box("noLookAlikesBox")) < f.box("eachClassBox")->x());
        QVERIFY(CaptionRight(f.box("eachClassBox")) <= inner.right());
        QVERIFY(f.box("noLookAlikesBox")->geometry().top() >=
                f.text("excludeText")->geometry().bottom());
    }
    QCOMPARE(f.box("noLookAlikesBox")->accessibleName(), QString("似た文字を除く"));
    QCOMPARE(f.box("eachClassBox")->accessibleName(), QString("全種類を含む"));
}

void TestPolicies::strengthLabelInTheBottomBand() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    for (const QSize client : {QSize(585, 250), QSize(800, 400)}) {
        f->resize(client + QSize(0, f.part("client")->geometry().top()));
        QTRY_COMPARE(f.part("client")->size(), client);
        const QRect label = f.label("strengthLabel")->geometry();
        QCOMPARE(label.top(), f.label("doneCaption")->y());
        QVERIFY(label.right() < f.label("doneCaption")->x());
        QVERIFY(label.top() > f.list()->geometry().bottom());
        QVERIFY(label.left() >= f.list()->x());
    }
    f.lengthBox()->setText("16");
    QCOMPARE(f.label("strengthLabel")->text(), QString("強度 95.3 ビット"));
    QVERIFY(f.label("strengthLabel")
                ->fontMetrics()
                .horizontalAdvance(f.label("strengthLabel")->text()) <=
            f.label("strengthLabel")->width());
    QCOMPARE(f.label("strengthLabel")->accessibleName(), f.label("strengthLabel")->text());
    QVERIFY(!f.label("strengthLabel")->toolTip().isEmpty());
    f.lengthBox()->clear();
    QCOMPARE(f.label("strengthLabel")->text(), QString());
}

// The label shows what keymill-cli -e prints for the same settings and length.
void TestPolicies::strengthEqualsTheCommandLine_data() {
    QTest::addColumn<RunRequest>("request");
    QTest::newRow("62 defaults, 16") << RefusalRequest("duw", 16, false);
    QTest::newRow("digits, 1") << RefusalRequest("d", 1, false);
    QTest::newRow("the longest length") << RefusalRequest("duw", kMaxPasswordLength, false);
    QTest::newRow("no look-alikes") << RefusalRequest("duw", 12, false, QString(), QString(), true);
    QTest::newRow("each class, 3") << RefusalRequest("duw", 3, true);
    QTest::newRow("each class and no look-alikes, 5")
        << RefusalRequest("duw", 5, true, "!#", QString(), true);
    QTest::newRow("repeated extra, excluded") << RefusalRequest("d", 7, false, "777a", "a0");
    QTest::newRow("emoji and Japanese extra")
        << RefusalRequest("w", 9, true, u"😀あア〇"_qs, QString(), true);
    QTest::newRow("nothing left") << RefusalRequest("d", 8, false, QString(), "0123456789");
}

void TestPolicies::strengthEqualsTheCommandLine() {
    QFETCH(RunRequest, request);
    WindowFixture f;
    Ask(f.window.get(), request);
    const QString label = f.label("strengthLabel")->text();
    f.actions().quit->trigger(); // keymill.ini now holds the options

    QProcess cli;
    cli.start(CliProgram(), {"--settings-file", f.dir.path() + "/keymill.ini", "-l",
                             QString::number(request.length), "-e", "-c", "1"});
    QVERIFY(cli.waitForFinished(30000));
    const QString err = QString::fromUtf8(cli.readAllStandardError());
    if (cli.exitCode() == 2) { // keymill-cli refuses a pool without characters
        QCOMPARE(err, QString("keymill-cli: the options leave no character to draw from\n"));
        QCOMPARE(label, QString("使える文字がありません"));
        return;
    }
    QCOMPARE(cli.exitCode(), 0);
    const QRegularExpressionMatch bits = QRegularExpression("^([0-9.]+) bits\n$").match(err);
    QVERIFY2(bits.hasMatch(), qPrintable(err));
    QCOMPARE(label, "強度 " + bits.captured(1) + " ビット");
}

// The boxes take every number up to the longest length and nothing longer; their hint says so.
void TestPolicies::numberBoxesHoldTheBound() {
    WindowFixture f;
    QCOMPARE(f.label("rangeHint")->text(), QString("※[1-%1]の値を入力").arg(kMaxPasswordLength));
    for (QLineEdit* box : {f.lengthBox(), f.countBox()}) {
        box->setText(QString::number(kMaxPasswordLength) + "9");
        QCOMPARE(box->text(), QString::number(kMaxPasswordLength));
    }
}

QTEST_MAIN(TestPolicies)
#include "tst_Policies.moc"
