#include "ResultFileSink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

namespace {

int ModeOf(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return -1;
    return int(info.st_mode & 07777);
}

QByteArray ContentOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class ResultFileSinkTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void writesWholeOrNothing_data();
    void writesWholeOrNothing();
    void failures_data();
    void failures();
    void manyPasswordsArriveWhole();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void ResultFileSinkTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void ResultFileSinkTest::writesWholeOrNothing_data() {
    QTest::addColumn<bool>("utf8");
    QTest::addColumn<QByteArray>("oldContent"); // null: no old file
    QTest::addColumn<int>("oldMode");
    QTest::addColumn<bool>("commit");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("expectedMode");

    const QByteArray cp932 = "ab\r\n\xb1\xb2\r\n\x8a\xbf\x8e\x9a\r\n"; // ab, ｱｲ, 漢字
    const QByteArray utf8 = "ab\r\n\xef\xbd\xb1\xef\xbd\xb2\r\n\xe6\xbc\xa2\xe5\xad\x97\r\n";
    QTest::newRow("new file, code page 932") << false << QByteArray() << 0 << true << cp932 << 0600;
    QTest::newRow("new file, UTF-8") << true << QByteArray() << 0 << true << utf8 << 0600;
    QTest::newRow("old file replaced, its mode kept")
        << false << QByteArray("old\r\n") << 0640 << true << cp932 << 0640;
    QTest::newRow("abort keeps the old file")
        << false << QByteArray("old\r\n") << 0644 << false << QByteArray("old\r\n") << 0644;
    QTest::newRow("abort leaves no new file")
        << true << QByteArray() << 0 << false << QByteArray("<missing>") << -1;
}

void ResultFileSinkTest::writesWholeOrNothing() {
    QFETCH(bool, utf8);
    QFETCH(QByteArray, oldContent);
    QFETCH(int, oldMode);
    QFETCH(bool, commit);
    QFETCH(QByteArray, expected);
    QFETCH(int, expectedMode);
    const QString path = dir_->filePath("out.csv");
    if (!oldContent.isNull()) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(oldContent);
        old.close();
        QVERIFY(::chmod(QFile::encodeName(path).constData(), mode_t(oldMode)) == 0);
    }

    {
        ResultFileSink sink(path, utf8 ? OutputEncoding::Utf8 : OutputEncoding::Cp932);
        QVERIFY(sink.open());
        for (const QString& password : {u"ab"_qs, u"ｱｲ"_qs, u"漢字"_qs})
            QVERIFY(sink.append(password));
        // Until the commit the old file is what a reader sees.
        QCOMPARE(ContentOf(path), oldContent.isNull() ? QByteArray("<missing>") : oldContent);
        if (commit)
            QVERIFY2(sink.commit(), qPrintable(sink.errorText()));
        else
            sink.abort();
    }
    QCOMPARE(ContentOf(path), expected);
    QCOMPARE(ModeOf(path), expectedMode);
    const QStringList left = QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, expectedMode < 0 ? QStringList() : QStringList{"out.csv"});
}

void ResultFileSinkTest::failures_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("error");

    QTest::newRow("directory missing") << "DIR/missing/out.txt"
                                       << "ab"
                                       << "cannot write 'DIR/missing/out.txt': No such file or "
                                          "directory";
    QTest::newRow("a file where a directory should be")
        << "DIR/plain/out.txt"
        << "ab"
        << "cannot write 'DIR/plain/out.txt': Not a directory";
    QTest::newRow("a directory") << "DIR"
                                 << "ab"
                                 << "cannot write 'DIR': Is a directory";
    QTest::newRow("device without space") << "/dev/full"
                                          << "ab"
                                          << "cannot write '/dev/full': No space left on device";
    QTest::newRow("character outside code page 932")
        << "DIR/out.txt"
        << "a€"
        << "code page 932 cannot hold '€' (U+20AC); use --encoding utf-8";
}

void ResultFileSinkTest::failures() {
    QFETCH(QString, path);
    QFETCH(QString, password);
    QFETCH(QString, error);
    QFile plain(dir_->filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    path.replace("DIR", dir_->path());
    error.replace("DIR", dir_->path());

    ResultFileSink sink(path, OutputEncoding::Cp932);
    const bool written = sink.open() && sink.append(password) && sink.commit();
    QVERIFY(!written);
    QCOMPARE(sink.errorText(), error);
    sink.abort();
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plain"});
}

// More than one buffer's worth, and a password longer than the buffer.
void ResultFileSinkTest::manyPasswordsArriveWhole() {
    const QString path = dir_->filePath("many.txt");
    ResultFileSink sink(path, OutputEncoding::Cp932);
    QVERIFY(sink.open());
    const QString longOne(99999, u'x');
    QVERIFY(sink.append(longOne));
    for (int i = 0; i < 20000; ++i)
        QVERIFY(sink.append(QString::number(i)));
    QVERIFY(sink.commit());
    const QList<QByteArray> lines = ContentOf(path).split('\n');
    QCOMPARE(lines.size(), 20002); // the last line end leaves an empty piece
    QCOMPARE(lines[0], longOne.toLatin1() + '\r');
    QCOMPARE(lines[20000], QByteArray("19999\r"));
}

QTEST_GUILESS_MAIN(ResultFileSinkTest)
#include "tst_ResultFileSink.moc"
