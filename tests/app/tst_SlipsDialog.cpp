// The slips dialog after a run: pasted accounts, saved as a PDF that holds every account and
// its password.
#include "PdfText.h"
#include "SlipsDialog.h"
#include "WindowFixture.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

class TestSlipsDialog : public QObject {
    Q_OBJECT
private slots:
    void pastedAccountsSavedAsPdf();
};

void TestSlipsDialog::pastedAccountsSavedAsPdf() {
    WindowFixture w;
    w.run(QStringLiteral("12"), QStringLiteral("4"));
    const QStringList passwords = w.listed();
    QCOMPARE(passwords.size(), 4);
    w.actions().slips->trigger();
    auto* dialog = w->findChild<SlipsDialog*>();
    QVERIFY(dialog);
    const QString pdf = w.dir.filePath(QStringLiteral("slips.pdf"));
    QStringList errors;
    dialog->askPdfFile = [&](QWidget*) { return pdf; };
    dialog->showError = [&](QWidget*, const QString& text) { errors << text; };
    Part<QComboBox>(*dialog, "accountMode")->setCurrentIndex(1);
    auto* save = Part<QPushButton>(*dialog, "saveSlipsPdf");
    const QStringList accounts = {"sato", "suzuki", "takahashi", "tanaka", "ito"};
    Part<QPlainTextEdit>(*dialog, "pastedAccounts")->setPlainText(accounts.join(u'\n'));
    QVERIFY(!save->isEnabled()); // five accounts, four passwords
    Part<QPlainTextEdit>(*dialog, "pastedAccounts")->setPlainText(accounts.mid(0, 4).join(u'\n'));
    QTest::mouseClick(save, Qt::LeftButton);
    QCOMPARE(errors, QStringList());
    QString text;
    for (const QStringList& page : PdfPages(pdf))
        text += page.join(u'\n');
    for (qsizetype i = 0; i < 4; ++i) {
        QVERIFY2(text.contains(accounts[i]), qPrintable(accounts[i]));
        QVERIFY2(text.contains(passwords[i]), qPrintable(passwords[i]));
    }
}

QTEST_MAIN(TestSlipsDialog)
#include "tst_SlipsDialog.moc"
