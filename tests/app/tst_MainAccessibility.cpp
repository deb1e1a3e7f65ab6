// What Qt's accessibility layer reports for the main window's controls: the names a screen
// reader speaks, the hint as the number boxes' description, the count tied to its heading,
// decoration left out. The same interfaces feed AT-SPI (tests/e2e/keymill_a11y.py reads them
// there).
#include "MainWindowAccessibility.h"
#include "ResultListView.h"
#include "WindowFixture.h"

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
        {f.box("digitsBox"), "数字"},
        {f.box("upperBox"), "アルファベット大文字"},
        {f.box("lowerBox"), "アルファベット小文字"},
        {f.box("extraBox"), "任意文字登録"},
        {f.text("extraText"), "任意文字登録の文字"},
        {f.box("excludeBox"), "任意文字除外"},
        {f.text("excludeText"), "任意文字除外の文字"},
        {f.lengthBox(), "文字数"},
        {f.countBox(), "生成数"},
        {f.label("lengthLabel"), "文字数"},
        {f.label("countLabel"), "生成数"},
        {f.list(), "パスワード生成結果"},
    };
    for (const auto& [object, name] : expected)
        QCOMPARE(nameOf(object), name);

    // The progress bar reads the state text beside it, also after the run has changed it.
    QCOMPARE(nameOf(Part<QProgressBar>(*f.window, "progressBar")), f.label("statusLabel")->text());
    f.label("statusLabel")->setText(QStringLiteral("パスワード生成中..."));
    QCOMPARE(nameOf(Part<QProgressBar>(*f.window, "progressBar")),
             QStringLiteral("パスワード生成中..."));
}

void MainAccessibilityTest::relationsAndDescriptions() {
    WindowFixture f;
    for (QLineEdit* box : {f.lengthBox(), f.countBox()})
        QCOMPARE(face(box)->text(QAccessible::Description), QStringLiteral("※[1-99999]の値を入力"));

    const auto labels = face(f.label("doneCount"))->relations(QAccessible::Label);
    QCOMPARE(labels.size(), 1);
    QCOMPARE(labels.first().first->object(), f.label("doneCaption"));
    const auto labelled = face(f.label("doneCaption"))->relations(QAccessible::Labelled);
    QCOMPARE(labelled.size(), 1);
    QCOMPARE(labelled.first().first->object(), f.label("doneCount"));
}

void MainAccessibilityTest::decorationOutOfTheTree() {
    WindowFixture f;
    QAccessibleInterface* client = face(f.part("client"));
    QList<QObject*> children;
    for (int i = 0; i < client->childCount(); ++i) {
        children.append(client->child(i)->object());
        QCOMPARE(client->indexOfChild(client->child(i)), i);
    }
    for (QObject* decoration : {f.part("topLine"), f.part("topLineLight"), f.part("etchedLine")})
        QVERIFY2(!children.contains(decoration), qPrintable(decoration->objectName()));
    for (QObject* control : {f.part("charactersFrame"), f.part("countsFrame"), f.part("resultList"),
                             f.part("toolBar"), f.part("doneCount")})
        QVERIFY2(children.contains(control), qPrintable(control->objectName()));
    // A child still finds its way up to the window.
    QCOMPARE(face(f.list())->parent()->object(), f.part("client"));
}

QTEST_MAIN(MainAccessibilityTest)
#include "tst_MainAccessibility.moc"
