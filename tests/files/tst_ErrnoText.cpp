// The one table of error texts: English as the C library words it, Japanese from the shipped
// translation, the same text in both front ends.
#include "ErrnoText.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTest>
#include <QTranslator>

#include <cerrno>
#include <cstring>

class ErrnoTextTest : public QObject {
    Q_OBJECT
private slots:
    void texts_data();
    void texts();
    void outsideTheTable();
};

void ErrnoTextTest::texts_data() {
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("english");
    QTest::addColumn<QString>("japanese");
    QTest::newRow("ENOSPC") << ENOSPC << u"No space left on device"_qs
                            << u"ディスクの空き領域が不足しています。"_qs;
    QTest::newRow("ENOENT") << ENOENT << u"No such file or directory"_qs
                            << u"指定されたパスが見つかりません。"_qs;
    QTest::newRow("EACCES") << EACCES << u"Permission denied"_qs
                            << u"アクセスが拒否されました。"_qs;
    QTest::newRow("EPERM") << EPERM << u"Operation not permitted"_qs
                           << u"アクセスが拒否されました。"_qs;
    QTest::newRow("EFBIG") << EFBIG << u"File too large"_qs << u"ファイルが大きすぎます。"_qs;
    QTest::newRow("EROFS") << EROFS << u"Read-only file system"_qs
                           << u"読み取り専用のファイルシステムには書き込めません。"_qs;
    QTest::newRow("ENOMEM") << ENOMEM << u"Cannot allocate memory"_qs
                            << u"メモリーが不足しています。"_qs;
}

void ErrnoTextTest::texts() {
    QFETCH(int, number);
    QFETCH(QString, english);
    QFETCH(QString, japanese);
    // Without a translator: the C library's English wording, whatever its own language.
    QCOMPARE(ErrnoText(number), english);
    QCOMPARE(JapaneseErrnoText(number), japanese);
    // keymill-cli under a Japanese locale installs the same translation.
    InstallErrnoTranslator(QLocale(QLocale::Japanese, QLocale::Japan));
    QCOMPARE(ErrnoText(number), japanese);
    for (QTranslator* translator : QCoreApplication::instance()->findChildren<QTranslator*>())
        QCoreApplication::removeTranslator(translator);
}

void ErrnoTextTest::outsideTheTable() {
    QCOMPARE(ErrnoText(EXDEV), QString::fromLocal8Bit(std::strerror(EXDEV)));
    QCOMPARE(JapaneseErrnoText(EXDEV), QString());
}

QTEST_GUILESS_MAIN(ErrnoTextTest)
#include "tst_ErrnoText.moc"
