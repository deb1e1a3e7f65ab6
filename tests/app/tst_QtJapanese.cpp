// Qt's own texts are Japanese in any locale, and every window uses the form's font.
#include "AboutDialog.h"
#include "QtJapanese.h"
#include "WindowFont.h"

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
// The save dialog's title and buttons, the overwrite question's buttons, the text boxes' menu.
QString QtTexts() {
    QFileDialog save;
    save.setOption(QFileDialog::DontUseNativeDialog);
    save.setAcceptMode(QFileDialog::AcceptSave);
    QStringList texts{save.windowTitle()};
    for (const QPushButton* button : save.findChildren<QPushButton*>())
        texts << button->text();
    QMessageBox question(QMessageBox::Warning, QString(), QString(),
                         QMessageBox::Yes | QMessageBox::No);
    texts << question.button(QMessageBox::Yes)->text() << question.button(QMessageBox::No)->text();
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    for (const QAction* item : menu->actions())
        texts << item->text();
    return texts.join(u'|');
}
} // namespace

class TestQtJapanese : public QObject {
    Q_OBJECT
private slots:
    void missingFolderIsSkipped();
    void qtSpeaksJapanese_data();
    void qtSpeaksJapanese();
    void everyWindowUsesTheFormFont();
};

void TestQtJapanese::missingFolderIsSkipped() {
    QCOMPARE(InstallQtJapanese(*qApp, QStringLiteral("/nonexistent/translations")), 0);
    QVERIFY(QtTexts().startsWith(QStringLiteral("Save As|"))); // Qt's English, no harm done
}

void TestQtJapanese::qtSpeaksJapanese_data() {
    QTest::addColumn<QString>("text");
    for (const char* text :
         {"名前を付けて保存", "キャンセル", "はい", "いいえ", "元に戻す", "貼り付け"})
        QTest::newRow(text) << QString::fromUtf8(text);
}

void TestQtJapanese::qtSpeaksJapanese() {
    QFETCH(QString, text);
    QCOMPARE(QLocale::system().name(), QStringLiteral("C"));
    static const int installed = InstallQtJapanese(*qApp);
    QCOMPARE(installed, 2); // qtbase_ja and qt_help_ja
    const QString texts = QtTexts();
    QVERIFY2(texts.contains(text), qPrintable(texts));
}

void TestQtJapanese::everyWindowUsesTheFormFont() {
    InstallFontSubstitutions();
    InstallApplicationFont();
    const AboutDialog about;
    const QMenu menu;
    for (const QFont& font :
         {about.findChild<QLabel*>(QStringLiteral("commentLabel"))->font(), menu.font()}) {
        QCOMPARE(QFontInfo(font).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(font.pointSize(), 9);
    }
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
