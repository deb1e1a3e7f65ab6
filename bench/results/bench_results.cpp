// Times the result list's commands over 99,999 passwords of 16 characters, all selected, and
// the painting and sizing of a list of 1,000 passwords of 99,999 characters.
// Prints a table; never fails.
#include "LineFileWriter.h"
#include "ListCommands.h"
#include "PrintCommand.h"
#include "ResultListView.h"
#include "SaveErrorText.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPrinter>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int kCount = 99999;
constexpr int kLength = 16;
constexpr int kLongCount = 1000;
constexpr int kLongLength = 99999;

QStringList RandomPasswords(int count = kCount, int length = kLength) {
    const QString pool =
        QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    QRandomGenerator random(20240601);
    QStringList passwords;
    passwords.reserve(count);
    for (int i = 0; i < count; ++i) {
        QString password(length, Qt::Uninitialized);
        for (QChar& c : password)
            c = pool[random.bounded(static_cast<int>(pool.size()))];
        passwords.append(password);
    }
    return passwords;
}

void Row(const char* what, double limitMs, const std::function<void()>& work) {
    QElapsedTimer timer;
    timer.start();
    work();
    const double ms = timer.nsecsElapsed() / 1e6;
    std::printf("| %-34s | %10.1f | %8.0f | %-4s |\n", what, ms, limitMs,
                ms <= limitMs ? "ok" : "SLOW");
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList passwords = RandomPasswords();
    QTemporaryDir dir;

    ResultListView view;
    view.resize(600, 400);
    view.resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    view.show();
    QApplication::processEvents();

    std::printf("%d passwords of %d characters, all selected\n\n", kCount, kLength);
    std::printf("| %-34s | %10s | %8s | %-4s |\n", "command", "ms", "limit", "");
    std::printf("|%s|%s|%s|%s|\n", "------------------------------------", "------------",
                "----------", "------");
    Row("fill hidden list and show it", 100, [&] {
        view.hide();
        view.resultModel()->clear();
        for (const QString& password : passwords)
            view.resultModel()->append(password);
        view.show();
        QApplication::processEvents();
    });
    Row("size the column", 100, [&] { view.autoSizeColumn(); });
    Row("select all", 100, [&] { SelectAllResults(view); });
    Row("copy", 100, [&] { CopySelectedResults(view); });
    Row("sort ascending", 100, [&] { SortResults(view, Qt::AscendingOrder); });
    Row("sort descending", 100, [&] { SortResults(view, Qt::DescendingOrder); });
    Row("save", 100, [&] {
        const WriteOutcome outcome =
            WriteLineFile(dir.filePath(QStringLiteral("out.csv")), view.resultModel()->texts());
        if (!outcome.ok())
            std::printf("save failed: %s\n", qPrintable(SaveErrorText(outcome)));
    });
    Row("print to a PDF file", 5000, [&] {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath(QStringLiteral("out.pdf")));
        if (!PrintLines(printer, view.resultModel()->texts()))
            std::printf("printing failed\n");
    });

    // Not a target: a scattered selection, every other row.
    view.selectionModel()->clearSelection();
    QItemSelection everyOther;
    for (int row = 0; row < kCount; row += 2)
        everyOther.select(view.model()->index(row, 0), view.model()->index(row, 0));
    view.selectionModel()->select(everyOther, QItemSelectionModel::Select);
    Row("sort, every other row selected", 1000, [&] { SortResults(view, Qt::AscendingOrder); });
    Row("copy, every other row selected", 1000, [&] { CopySelectedResults(view); });
    view.hide();

    std::printf("\n%d passwords of %d characters in an 800x400 view\n\n", kLongCount, kLongLength);
    std::printf("| %-34s | %10s | %8s | %-4s |\n", "command", "ms", "limit", "");
    std::printf("|%s|%s|%s|%s|\n", "------------------------------------", "------------",
                "----------", "------");
    ResultListView longView;
    longView.resize(800, 400);
    longView.resultModel()->addColumn(QStringLiteral("パスワード生成結果"));
    for (const QString& password : RandomPasswords(kLongCount, kLongLength))
        longView.resultModel()->append(password);
    longView.show();
    QApplication::processEvents();
    Row("size the column", 100, [&] { longView.autoSizeColumn(); });
    QApplication::processEvents();
    Row("repaint the visible rows", 16, [&] { longView.viewport()->repaint(); });
    longView.selectionModel()->select(longView.model()->index(2, 0),
                                      QItemSelectionModel::Select | QItemSelectionModel::Rows);
    longView.setCurrentIndex(longView.model()->index(2, 0));
    Row("repaint, a row selected", 16, [&] { longView.viewport()->repaint(); });
    longView.horizontalScrollBar()->setValue(longView.horizontalScrollBar()->maximum() / 2);
    Row("repaint, scrolled to the middle", 16, [&] { longView.viewport()->repaint(); });
    longView.horizontalScrollBar()->setValue(longView.horizontalScrollBar()->maximum());
    Row("repaint, scrolled to the end", 16, [&] { longView.viewport()->repaint(); });
    Row("grab the whole view", 50, [&] { (void)longView.grab(); });
    return 0;
}
