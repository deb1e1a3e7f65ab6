#include "ListCommands.h"
#include "ResultItemDelegate.h"
#include "ResultListView.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

using Rows = QList<int>;

namespace {

Rows SelectedRows(const ResultListView& view) {
    Rows rows;
    for (const QModelIndex& index : view.selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

} // namespace

class ResultListTest : public QObject {
    Q_OBJECT
private slots:
    void commands_data();
    void commands();
    void bufferedRowsAreNeverStale();
    void columnFitsLongestPasswordAndHeader();
    void mouseDownReportsButtonAndPosition();
    void tabKeySkipsTheList();
};

void ResultListTest::commands_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<Rows>("selectedBefore");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("itemsAfter");
    QTest::addColumn<Rows>("selectedAfter");
    QTest::addColumn<QString>("clipboard");

    const QStringList five = {"aa", "bb", "cc", "dd", "ee"};
    QTest::newRow("copy items 2 and 5")
        << five << Rows{1, 4} << QStringList{"copy"} << five << Rows{1, 4} << "bb\r\nee";
    QTest::newRow("copy keeps equal passwords")
        << QStringList{"x", "x", "y"} << Rows{0, 1} << QStringList{"copy"}
        << QStringList{"x", "x", "y"} << Rows{0, 1} << "x\r\nx";
    QTest::newRow("copy without selection empties the clipboard")
        << five << Rows{} << QStringList{"copy"} << five << Rows{} << "";
    QTest::newRow("select all then copy")
        << five << Rows{2} << QStringList{"selectAll", "copy"} << five << Rows{0, 1, 2, 3, 4}
        << "aa\r\nbb\r\ncc\r\ndd\r\nee";
    QTest::newRow("select all on an empty list")
        << QStringList{} << Rows{} << QStringList{"selectAll", "copy"} << QStringList{} << Rows{}
        << "";
    QTest::newRow("ascending compares text, not numbers")
        << QStringList{"9", "10", "100"} << Rows{} << QStringList{"sortAsc"}
        << QStringList{"10", "100", "9"} << Rows{} << QString();
    QTest::newRow("descending compares text, not numbers")
        << QStringList{"9", "10", "100"} << Rows{} << QStringList{"sortDesc"}
        << QStringList{"9", "100", "10"} << Rows{} << QString();
    QTest::newRow("upper case before lower case")
        << QStringList{"b", "B", "a", "A"} << Rows{} << QStringList{"sortAsc"}
        << QStringList{"A", "B", "a", "b"} << Rows{} << QString();
    // U+1F600 is stored as D83D DE00, below U+FF21 in code units though above it in code points.
    QTest::newRow("code-unit order for surrogate pairs")
        << QStringList{"Ａ", "😀"} << Rows{} << QStringList{"sortAsc"} << QStringList{"😀", "Ａ"}
        << Rows{} << QString();
    QTest::newRow("selection travels with its item")
        << QStringList{"c", "a", "b"} << Rows{0} << QStringList{"sortAsc", "copy"}
        << QStringList{"a", "b", "c"} << Rows{2} << "c";
    QTest::newRow("equal texts keep their order ascending")
        << QStringList{"x", "y", "x"} << Rows{2} << QStringList{"sortAsc"}
        << QStringList{"x", "x", "y"} << Rows{1} << QString();
    QTest::newRow("equal texts keep their order descending")
        << QStringList{"x", "y", "x"} << Rows{0} << QStringList{"sortDesc"}
        << QStringList{"y", "x", "x"} << Rows{1} << QString();
    QTest::newRow("scattered selection regrouped by sort")
        << QStringList{"d", "a", "e", "b", "c"} << Rows{0, 2, 4} << QStringList{"sortAsc", "copy"}
        << QStringList{"a", "b", "c", "d", "e"} << Rows{2, 3, 4} << "c\r\nd\r\ne";
    QTest::newRow("sort both ways then copy in list order")
        << QStringList{"b", "c", "a"} << Rows{0, 2} << QStringList{"sortDesc", "sortAsc", "copy"}
        << QStringList{"a", "b", "c"} << Rows{0, 1} << "a\r\nb";
    QTest::newRow("sorting an empty list")
        << QStringList{} << Rows{} << QStringList{"sortAsc", "sortDesc"} << QStringList{} << Rows{}
        << QString();
}

void ResultListTest::commands() {
    QFETCH(QStringList, items);
    QFETCH(Rows, selectedBefore);
    QFETCH(QStringList, steps);
    QFETCH(QStringList, itemsAfter);
    QFETCH(Rows, selectedAfter);
    QFETCH(QString, clipboard);

    QWidget window;
    auto* other = new QLineEdit(&window);
    auto* view = new ResultListView(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(other);
    layout->addWidget(view);
    view->resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    for (const QString& item : items)
        view->resultModel()->append(item);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    for (int row : selectedBefore)
        view->selectionModel()->select(view->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);

    // Every command must show the wait pointer while it changes something.
    int changesSeen = 0;
    int changesWithoutWaitCursor = 0;
    const auto observe = [&] {
        ++changesSeen;
        const QCursor* cursor = QApplication::overrideCursor();
        if (!cursor || cursor->shape() != Qt::WaitCursor)
            ++changesWithoutWaitCursor;
    };
    connect(view->selectionModel(), &QItemSelectionModel::selectionChanged, this, observe);
    connect(view->model(), &QAbstractItemModel::layoutChanged, this, observe);
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, observe);
    QGuiApplication::clipboard()->setText(QStringLiteral("from before"));
    changesSeen = changesWithoutWaitCursor = 0;

    for (const QString& step : steps) {
        if (step == "selectAll")
            SelectAllResults(*view);
        else if (step == "copy")
            CopySelectedResults(*view);
        else if (step == "sortAsc")
            SortResults(*view, Qt::AscendingOrder);
        else if (step == "sortDesc")
            SortResults(*view, Qt::DescendingOrder);
        else
            QFAIL("unknown step");
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }

    QCOMPARE(view->resultModel()->texts(), itemsAfter);
    QCOMPARE(view->model()->rowCount(), itemsAfter.size());
    for (int row = 0; row < itemsAfter.size(); ++row)
        QCOMPARE(view->model()->index(row, 0).data().toString(), itemsAfter[row]);
    QCOMPARE(SelectedRows(*view), selectedAfter);
    if (steps.contains("copy"))
        QCOMPARE(QGuiApplication::clipboard()->text(), clipboard);
    if (steps.contains("selectAll"))
        QVERIFY(view->hasFocus());
    QCOMPARE(changesWithoutWaitCursor, 0);
    if (!items.isEmpty() && (steps.contains("copy") || steps.contains("sortAsc")))
        QVERIFY(changesSeen > 0);
}

void ResultListTest::bufferedRowsAreNeverStale() {
    ResultListView view;
    ResultListModel* model = view.resultModel();
    QAbstractItemModelTester tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QCOMPARE(model->columnCount(), 0);
    model->addColumn(QStringLiteral("パスワード生成結果"));
    QSignalSpy inserted(model, &QAbstractItemModel::rowsInserted);

    for (int i = 0; i < 1000; ++i)
        model->append(QString::number(i));
    QCOMPARE(model->count(), 1000);
    QCOMPARE(model->rowCount(), 1000);
    QCOMPARE(inserted.size(), 1);
    QCOMPARE(model->index(999, 0).data().toString(), QStringLiteral("999"));

    model->append(QStringLiteral("late"));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QCOMPARE(inserted.size(), 2);
    QCOMPARE(view.model()->rowCount(), 1001);
    QVERIFY(!(model->flags(model->index(0, 0)) & Qt::ItemIsEditable));

    model->clear();
    QCOMPARE(model->rowCount(), 0);
    QCOMPARE(model->columnCount(), 1);
}

void ResultListTest::columnFitsLongestPasswordAndHeader() {
    ResultListView view;
    view.resize(200, 150);
    view.resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    const QString longest =
        QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW");
    view.resultModel()->append(QStringLiteral("iiii"));
    view.resultModel()->append(longest);
    view.resultModel()->append(QStringLiteral("short"));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));

    view.autoSizeColumn();
    const int section = view.header()->sectionSize(0);
    QVERIFY(section >=
            QFontMetrics(ResultItemDelegate::passwordFont(view.font())).horizontalAdvance(longest));
    QVERIFY(section >=
            view.header()->fontMetrics().horizontalAdvance(QStringLiteral("パスワード生成結果")));

    // A wide view: the column still reaches the right edge.
    view.resultModel()->clear();
    view.resultModel()->append(QStringLiteral("ab"));
    view.resize(900, 150);
    QTest::qWait(0);
    view.autoSizeColumn();
    QApplication::processEvents();
    QCOMPARE(view.header()->sectionSize(0), view.viewport()->width());
}

void ResultListTest::mouseDownReportsButtonAndPosition() {
    ResultListView view;
    view.resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    view.resultModel()->append(QStringLiteral("pw"));
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QSignalSpy spy(&view, &ResultListView::mouseDown);
    QTest::mousePress(view.viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(7, 9));
    QCOMPARE(spy.size(), 1);
    QCOMPARE(spy[0][0].value<Qt::MouseButton>(), Qt::RightButton);
    QCOMPARE(spy[0][1].value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QCOMPARE(spy[0][2].toPoint(), QPoint(7, 9));
}

void ResultListTest::tabKeySkipsTheList() {
    QWidget window;
    auto* before = new QLineEdit(&window);
    auto* view = new ResultListView(&window);
    auto* after = new QLineEdit(&window);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(before);
    layout->addWidget(view);
    layout->addWidget(after);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab);
    QVERIFY(after->hasFocus());
    view->setFocus();
    QVERIFY(view->hasFocus());
}

QTEST_MAIN(ResultListTest)
#include "tst_ResultList.moc"
