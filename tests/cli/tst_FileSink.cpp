// The file sink's own part: the lines it words from the writer's outcomes. How the file is
// written is proven by the writer's tests (tests/files).
#include "FileSink.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class FileSinkTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void failures_data();
    void failures();

private:
    std::unique_ptr<QTemporaryDir> dir_;
};

void FileSinkTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void FileSinkTest::failures_data() {
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

void FileSinkTest::failures() {
    QFETCH(QString, path);
    QFETCH(QString, password);
    QFETCH(QString, error);
    QFile plain(dir_->filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    path.replace("DIR", dir_->path());
    error.replace("DIR", dir_->path());

    FileSink sink(path, FileEncoding::Cp932);
    const bool written = sink.open() && sink.append(password) && sink.commit();
    QVERIFY(!written);
    QCOMPARE(sink.errorText(), error);
    sink.abort();
    QCOMPARE(QDir(dir_->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"plain"});
}

QTEST_GUILESS_MAIN(FileSinkTest)
#include "tst_FileSink.moc"
