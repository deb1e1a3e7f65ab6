#include "ResultItemDelegate.h"
#include "ResultListView.h"

#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTest>

// The standard painting in the face the passwords are shown in.
class StandardDelegate : public QStyledItemDelegate {
protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
        QStyledItemDelegate::initStyleOption(option, index);
        option->font = ResultItemDelegate::passwordFont(option->font);
    }
};

// Long rows are painted slice by slice; the picture must match the standard painting.
class ResultItemDelegateTest : public QObject {
    Q_OBJECT
private slots:
    void paintsLikeTheStandardDelegate_data();
    void paintsLikeTheStandardDelegate();
};

void ResultItemDelegateTest::paintsLikeTheStandardDelegate_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("scroll");
    QTest::addColumn<bool>("selected");
    const QString marked = QString(600, u'a') + u'X' + QString(599, u'b');
    QTest::newRow("short row") << QStringLiteral("pw12") << 0.0 << false;
    QTest::newRow("long row at the start") << marked << 0.0 << false;
    QTest::newRow("long row in the middle") << marked << 0.5 << false;
    QTest::newRow("long row at the end, selected") << marked << 1.0 << true;
    QTest::newRow("mixed characters in the middle")
        << QString(80, QChar(0x30AD)) + QString(400, u'W') + QString(300, u'i') << 0.5 << false;
}

void ResultItemDelegateTest::paintsLikeTheStandardDelegate() {
    QFETCH(QString, text);
    QFETCH(double, scroll);
    QFETCH(bool, selected);
    ResultListView view;
    view.resize(300, 120);
    view.resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    view.resultModel()->append(text);
    view.resultModel()->append(text);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.autoSizeColumn();
    if (selected)
        view.selectionModel()->select(view.model()->index(0, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QScrollBar* bar = view.horizontalScrollBar();
    bar->setValue(qRound(bar->maximum() * scroll));
    QApplication::processEvents();
    const QImage sliced = view.viewport()->grab().toImage();

    StandardDelegate standard;
    view.setItemDelegate(&standard);
    const QImage whole = view.viewport()->grab().toImage();
    QCOMPARE(sliced.size(), whole.size());
    QCOMPARE(sliced, whole);
}

QTEST_MAIN(ResultItemDelegateTest)
#include "tst_ResultItemDelegate.moc"
