// What Qt's accessibility layer reports for the main window's controls: the names a screen
// reader speaks, the hint as the number boxes' description, the count tied to its heading,
// decoration left out. The same interfaces feed AT-SPI (tests/e2e/keymill_a11y.py reads them
// there).
#include "ResultListView.h"
#include "WindowFixture.h"
#include "frmMainAccessibility.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QTest>
#include <QToolBar>

namespace {

QAccessibleInterface* face(QObject* object) {
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject* object) {
    return face(object)->text(QAccessible::Name);
}

} // namespace

class MainAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void withoutAccessKey_data();
    void withoutAccessKey();
    void controlNames();
    void relationsAndDescriptions();
    void decorationOutOfTheTree();
};

void MainAccessibilityTest::withoutAccessKey_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("bracketed key") << "数字(&N)"
                                   << "数字";
    QTest::newRow("full-width brackets") << "文字数（&M）"
                                         << "文字数";
    QTest::newRow("key inside a word") << "&Save"
                                       << "Save";
    QTest::newRow("text after the key") << "保存(&S)..."
                                        << "保存...";
    QTest::newRow("doubled ampersand") << "A && B"
                                       << "A & B";
    QTest::newRow("brackets without a key") << "※[1-99999](半角)"
                                            << "※[1-99999](半角)";
    QTest::newRow("no key") << "生成完了数"
                            << "生成完了数";
}

void MainAccessibilityTest::withoutAccessKey() {
    QFETCH(QString, caption);
    QFETCH(QString, spoken);
    QCOMPARE(WithoutAccessKey(caption), spoken);
}

void MainAccessibilityTest::controlNames() {
    WindowFixture f;
    const QList<std::pair<QObject*, QString>> expected = {
        {f->chkAddSuji, "数字"},
        {f->chkAddAlphabetBig, "アルファベット大文字"},
        {f->chkAddAlphabetMini, "アルファベット小文字"},
        {f->chkAddChr, "任意文字登録"},
        {f->txtAddChr, "任意文字登録の文字"},
        {f->chkDeleteChr, "任意文字除外"},
        {f->txtDeleteChr, "任意文字除外の文字"},
        {f->txtMojisu, "文字数"},
        {f->txtSeisei, "生成数"},
        {f->Label4, "文字数"},
        {f->Label6, "生成数"},
        {f->lvwPW, "パスワード生成結果"},
    };
    for (const auto& [object, name] : expected)
        QCOMPARE(nameOf(object), name);

    // The progress bar reads the state text beside it, also after the run has changed it.
    QCOMPARE(nameOf(f->prgCount), f->lblStatus->text());
    f->lblStatus->setText(QStringLiteral("パスワード生成中..."));
    QCOMPARE(nameOf(f->prgCount), QStringLiteral("パスワード生成中..."));
}

void MainAccessibilityTest::relationsAndDescriptions() {
    WindowFixture f;
    for (QLineEdit* box : {f->txtMojisu, f->txtSeisei})
        QCOMPARE(face(box)->text(QAccessible::Description), QStringLiteral("※[1-99999]の値を入力"));

    const auto labels = face(f->lblProgressbar)->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->object(), f->lblKanryo);
    const auto labelled = face(f->lblKanryo)->relations(QAccessible::Labelled);
    QCOMPARE(labelled.size(), 1);
    QCOMPARE(labelled.first().first->object(), f->lblProgressbar);
}

void MainAccessibilityTest::decorationOutOfTheTree() {
    WindowFixture f;
    QAccessibleInterface* client = face(f->client);
    QList<QObject*> children;
    for (int i = 0; i < client->childCount(); ++i) {
        children.append(client->child(i)->object());
        QCOMPARE(client->indexOfChild(client->child(i)), i);
    }
    for (QObject* decoration :
         {static_cast<QObject*>(f->Line1), static_cast<QObject*>(f->Line2),
          static_cast<QObject*>(f->etchedLine), static_cast<QObject*>(f->lstSagyo)})
        QVERIFY2(!children.contains(decoration), qPrintable(decoration->objectName()));
    for (QObject* control :
         {static_cast<QObject*>(f->fraAddChr), static_cast<QObject*>(f->fraCountSet),
          static_cast<QObject*>(f->lvwPW), static_cast<QObject*>(f->tlbMain),
          static_cast<QObject*>(f->lblProgressbar)})
        QVERIFY2(children.contains(control), qPrintable(control->objectName()));
    // A child still finds its way up to the window.
    QCOMPARE(face(f->lvwPW)->parent()->object(), f->client);
}

QTEST_MAIN(MainAccessibilityTest)
#include "tst_MainAccessibility.moc"
