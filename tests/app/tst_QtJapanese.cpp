// Qt's own texts are Japanese in any locale, and every window uses the form's font.
#include "QtJapanese.h"
#include "frmAbout.h"
#include "mdlShare.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {
QStringList buttonTexts(const QWidget& dialog) {
    QStringList texts;
    for (const QPushButton* button : dialog.findChildren<QPushButton*>())
        texts << button->text();
    return texts;
}

QString saveDialogTitle() {
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    return dialog.windowTitle();
}
} // namespace

class TestQtJapanese : public QObject {
    Q_OBJECT
private slots:
    void missingFolderIsSkipped();
    void dialogsSpeakJapanese();
    void everyWindowUsesTheFormFont_data();
    void everyWindowUsesTheFormFont();
};

void TestQtJapanese::missingFolderIsSkipped() {
    QCOMPARE(InstallQtJapanese(*qApp, QStringLiteral("/nonexistent/translations")), 0);
    QCOMPARE(saveDialogTitle(), QStringLiteral("Save As")); // Qt's English, and no harm done
}

void TestQtJapanese::dialogsSpeakJapanese() {
    QCOMPARE(QLocale::system().name(), QStringLiteral("C"));
    QCOMPARE(InstallQtJapanese(*qApp), 2);

    QCOMPARE(saveDialogTitle(), QStringLiteral("名前を付けて保存"));
    QFileDialog dialog;
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList buttons = buttonTexts(dialog);
    QVERIFY2(buttons.filter(QStringLiteral("保存")).size() == 1, qPrintable(buttons.join('|')));
    QVERIFY2(buttons.filter(QStringLiteral("キャンセル")).size() == 1,
             qPrintable(buttons.join('|')));

    // The overwrite question's buttons.
    QMessageBox question(QMessageBox::Warning, QStringLiteral("キーミル"), QStringLiteral("?"),
                         QMessageBox::Yes | QMessageBox::No);
    QVERIFY(question.button(QMessageBox::Yes)->text().contains(QStringLiteral("はい")));
    QVERIFY(question.button(QMessageBox::No)->text().contains(QStringLiteral("いいえ")));

    // The text boxes' right-click menu.
    QLineEdit box;
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList items;
    for (const QAction* item : menu->actions())
        items << item->text();
    for (const QString& wanted : {QStringLiteral("元に戻す"), QStringLiteral("貼り付け")})
        QVERIFY2(!items.filter(wanted).isEmpty(), qPrintable(items.join('|')));
}

void TestQtJapanese::everyWindowUsesTheFormFont_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("About dialog") << "about";
    QTest::newRow("menu") << "menu";
    QTest::newRow("message box") << "message";
}

void TestQtJapanese::everyWindowUsesTheFormFont() {
    QFETCH(QString, window);
    InstallFontSubstitutions();
    InstallApplicationFont();
    QFont font;
    if (window == "about") {
        frmAbout about;
        font = about.findChild<QLabel*>(QStringLiteral("lblKomento"))->font();
    } else if (window == "menu") {
        QMenu menu;
        font = menu.font();
    } else {
        QMessageBox box;
        font = box.font();
    }
    QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
    QCOMPARE(font.pointSize(), 9);
}

int main(int argc, char** argv) {
    // Whatever the user's locale says, here the plainest one.
    qputenv("LC_ALL", "C");
    qputenv("LANG", "C");
    QApplication app(argc, argv);
    TestQtJapanese test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_QtJapanese.moc"
