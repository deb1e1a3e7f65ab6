// The window's two policies and its strength label, driven as a user drives them.
#include "CaptionFrame.h"
#include "LookAlikes.h"
#include "PasswordLimits.h"
#include "ResultListModel.h"
#include "ResultListView.h"
#include "RunRefusalCases.h"
#include "WindowFixture.h"
#include "mdlIniSet.h"

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
void Ask(frmMain* w, const RunRequest& request) {
    const GenerationOptions& g = request.characters;
    w->chkAddSuji->setChecked(g.digits);
    w->chkAddAlphabetBig->setChecked(g.upper);
    w->chkAddAlphabetMini->setChecked(g.lower);
    w->chkAddChr->setChecked(g.extra);
    w->txtAddChr->setText(g.extraText);
    w->chkDeleteChr->setChecked(g.exclude);
    w->txtDeleteChr->setText(g.excludeText);
    w->chkNoSimilar->setChecked(request.noSimilar);
    w->chkEachClass->setChecked(request.eachClass);
    w->txtMojisu->setText(QString::number(request.length));
    w->txtSeisei->setText(QString::number(request.count));
}

QStringList Results(frmMain* w) {
    return w->lvwPW->resultModel()->texts();
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
    f->txtMojisu->setText("6");
    f->txtSeisei->setText("4");
    f->mnuRunStart_Click();
    const QStringList before = Results(f.window.get());
    QCOMPARE(before.size(), 4);

    Ask(f.window.get(), request);
    QVERIFY(f->mnuRunStart->isEnabled());
    f->mnuRunStart_Click();
    QCOMPARE(f.errors, QStringList{RunRefusalMessage(refusal)});
    QVERIFY(f.errors[0].startsWith("Error:"));
    QCOMPARE(Results(f.window.get()), before);
    QVERIFY(f->toolbarButton("M_Save")->isEnabled());
    QVERIFY(f->fraAddChr->isEnabled());
    QVERIFY(!f->runActive());
}

// Done when: look-alikes never appear and every password holds a digit, an upper-case and a
// lower-case letter.
void TestPolicies::bothPoliciesHoldInEveryPassword() {
    WindowFixture f;
    Ask(f.window.get(), RefusalRequest("duw", 4, true, QString(), QString(), true, 1000));
    f->mnuRunStart_Click();
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
    QVERIFY(!f->chkNoSimilar->isChecked());
    QVERIFY(!f->chkEachClass->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_B, Qt::AltModifier);
    QTRY_VERIFY(f->chkNoSimilar->isChecked());
    QTest::keyClick(f.window.get(), Qt::Key_Y, Qt::AltModifier);
    QTRY_VERIFY(f->chkEachClass->isChecked());
    f->mnuFileEnd_Click();
    const QString ini = f.dir.path() + "/keymill.ini";
    QCOMPARE(ReadIniValue("Add", "NoSimilar", ini), QString("1"));
    QCOMPARE(ReadIniValue("Add", "EachClass", ini), QString("1"));

    frmMain again(nullptr, f.dir.path());
    QVERIFY(again.chkNoSimilar->isChecked());
    QVERIFY(again.chkEachClass->isChecked());
    again.chkEachClass->setChecked(false);
    again.mnuFileEnd_Click();
    QCOMPARE(ReadIniValue("Add", "NoSimilar", ini), QString("1"));
    QCOMPARE(ReadIniValue("Add", "EachClass", ini), QString("0"));
}

void TestPolicies::disabledDuringARun() {
    WindowFixture f;
    f->txtMojisu->setText("3");
    f->txtSeisei->setText("20");
    bool enabledDuringRun = true;
    f->duringYield = [&] {
        enabledDuringRun = f->chkNoSimilar->isEnabled() || f->chkEachClass->isEnabled();
    };
    f->mnuRunStart_Click();
    QVERIFY(!enabledDuringRun);
    QVERIFY(f->chkNoSimilar->isEnabled());
    QVERIFY(f->chkEachClass->isEnabled());
}

// At the design size and when resized, at every scale the tests run under (QT_SCALE_FACTOR),
// both captions are whole: side by side in the third row, inside the frame, under the boxes of
// the row above.
void TestPolicies::captionsWholeAndInTheirRow() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    for (const QSize client : {QSize(585, 250), QSize(800, 400)}) {
        f->resize(client + QSize(0, f->client->geometry().top()));
        QTRY_COMPARE(f->client->size(), client);
        const QRect inner = static_cast<CaptionFrame*>(f->fraAddChr)->innerRect();
        for (QCheckBox* box : {f->chkNoSimilar, f->chkEachClass}) {
            QVERIFY2(inner.contains(box->geometry()),
                     qPrintable(QString("%1 %2,%3 %4x%5 in %6 wide")
                                    .arg(box->objectName())
                                    .arg(box->x())
                                    .arg(box->y())
                                    .arg(box->width())
                                    .arg(box->height())
                                    .arg(inner.right())));
            QCOMPARE(box->y(), f->chkAddAlphabetMini->y());
            QVERIFY(box->width() >= box->sizeHint().width());
        }
        QCOMPARE(f->chkNoSimilar->x(), f->chkDeleteChr->x());
        QVERIFY(CaptionRight(f->chkNoSimilar) < f->chkEachClass->x());
        QVERIFY(CaptionRight(f->chkEachClass) <= inner.right());
        QVERIFY(f->chkNoSimilar->geometry().top() >= f->txtDeleteChr->geometry().bottom());
    }
    QCOMPARE(f->chkNoSimilar->accessibleName(), QString("似た文字を除く"));
    QCOMPARE(f->chkEachClass->accessibleName(), QString("全種類を含む"));
}

void TestPolicies::strengthLabelInTheBottomBand() {
    WindowFixture f;
    f->show();
    QVERIFY(QTest::qWaitForWindowExposed(f.window.get()));
    for (const QSize client : {QSize(585, 250), QSize(800, 400)}) {
        f->resize(client + QSize(0, f->client->geometry().top()));
        QTRY_COMPARE(f->client->size(), client);
        const QRect label = f->lblStrength->geometry();
        QCOMPARE(label.top(), f->lblKanryo->y());
        QVERIFY(label.right() < f->lblKanryo->x());
        QVERIFY(label.top() > f->lvwPW->geometry().bottom());
        QVERIFY(label.left() >= f->lvwPW->x());
    }
    f->txtMojisu->setText("16");
    QCOMPARE(f->lblStrength->text(), QString("強度 95.3 ビット"));
    QVERIFY(f->lblStrength->fontMetrics().horizontalAdvance(f->lblStrength->text()) <=
            f->lblStrength->width());
    QCOMPARE(f->lblStrength->accessibleName(), f->lblStrength->text());
    QVERIFY(!f->lblStrength->toolTip().isEmpty());
    f->txtMojisu->clear();
    QCOMPARE(f->lblStrength->text(), QString());
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
    const QString label = f->lblStrength->text();
    f->mnuFileEnd_Click(); // keymill.ini now holds the options

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
    QCOMPARE(f->Label1->text(), QString("※[1-%1]の値を入力").arg(kMaxPasswordLength));
    for (QLineEdit* box : {f->txtMojisu, f->txtSeisei}) {
        box->setText(QString::number(kMaxPasswordLength) + "9");
        QCOMPARE(box->text(), QString::number(kMaxPasswordLength));
    }
}

QTEST_MAIN(TestPolicies)
#include "tst_Policies.moc"
