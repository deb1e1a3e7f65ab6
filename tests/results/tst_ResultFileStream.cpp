// The streaming form of the result file: the same bytes however it is fed, nothing of it before
// commit, and a refusal that names the right password among many.
#include "ResultFileStream.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>

namespace {

// Long enough that the text is encoded and written in many pieces.
constexpr int kCount = 50000;
const QByteArray kOld("the old content\r\n");

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

QString Password(int row) {
    return QStringLiteral("パス%1").arg(row);
}

} // namespace

class ResultFileStreamTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void sameBytesHoweverFed_data();
    void sameBytesHoweverFed();
    void abortLeavesOldFile();
    void refusalNamesRowAndCharacter_data();
    void refusalNamesRowAndCharacter();

private:
    std::optional<QTemporaryDir> m_dir;
    QString m_file;
};

void ResultFileStreamTest::init() {
    m_dir.emplace();
    m_file = m_dir->filePath(QStringLiteral("list.txt"));
    QFile old(m_file);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(kOld);
}

void ResultFileStreamTest::sameBytesHoweverFed_data() {
    QTest::addColumn<ResultFileEncoding>("encoding");
    QTest::addColumn<qsizetype>("flushBytes");
    QTest::newRow("code page 932, written as it comes")
        << ResultFileEncoding::Cp932 << qsizetype(1);
    QTest::newRow("code page 932, held until commit")
        << ResultFileEncoding::Cp932 << ResultFileStream::kHoldUntilCommit;
    QTest::newRow("UTF-8, default pieces")
        << ResultFileEncoding::Utf8 << ResultFileStream::kDefaultFlushBytes;
}

void ResultFileStreamTest::sameBytesHoweverFed() {
    QFETCH(ResultFileEncoding, encoding);
    QFETCH(qsizetype, flushBytes);
    QByteArray expected;
    for (int row = 1; row <= kCount; ++row) {
        // パ = 83 70, ス = 83 58 in code page 932
        expected += encoding == ResultFileEncoding::Cp932 ? QByteArray("\x83\x70\x83\x58")
                                                          : QStringLiteral("パス").toUtf8();
        expected += QByteArray::number(row) + "\r\n";
    }

    ResultFileStream stream(flushBytes);
    QVERIFY(stream.open(m_file, encoding).ok());
    for (int row = 1; row <= kCount; ++row)
        QVERIFY(stream.append(Password(row)).ok());
    QVERIFY(stream.commit().ok());
    QCOMPARE(stream.count(), kCount);
    QCOMPARE(ReadAll(m_file), expected);
}

void ResultFileStreamTest::abortLeavesOldFile() {
    {
        ResultFileStream stream(1);
        QVERIFY(stream.open(m_file, ResultFileEncoding::Cp932).ok());
        for (int row = 1; row <= kCount; ++row)
            QVERIFY(stream.append(Password(row)).ok());
        QCOMPARE(ReadAll(m_file), kOld);
        // Dropped without commit.
    }
    QCOMPARE(ReadAll(m_file), kOld);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.txt"});
}

void ResultFileStreamTest::refusalNamesRowAndCharacter_data() {
    QTest::addColumn<ResultFileEncoding>("encoding");
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("named");
    QTest::newRow("emoji in code page 932") << ResultFileEncoding::Cp932 << QStringLiteral("😀")
                                            << QStringLiteral("「😀」(U+1F600) はコードページ 932");
    QTest::newRow("half an emoji in UTF-8")
        << ResultFileEncoding::Utf8 << QString(QChar(0xD83D)) << QStringLiteral("(U+D83D) はUTF-8");
}

void ResultFileStreamTest::refusalNamesRowAndCharacter() {
    QFETCH(ResultFileEncoding, encoding);
    QFETCH(QString, character);
    QFETCH(QString, named);
    constexpr int kBadRow = 40000;

    ResultFileStream stream(1);
    QVERIFY(stream.open(m_file, encoding).ok());
    WriteOutcome refusal;
    for (int row = 1; row <= kCount && refusal.ok(); ++row)
        refusal = stream.append(row == kBadRow ? Password(row) + character : Password(row));
    if (refusal.ok())
        refusal = stream.commit();

    QCOMPARE(refusal.number, EILSEQ);
    QVERIFY2(refusal.description.startsWith(QStringLiteral("40000 番目のパスワード")),
             qPrintable(refusal.description));
    QVERIFY2(refusal.description.contains(named), qPrintable(refusal.description));
    QCOMPARE(stream.append(QStringLiteral("more")).number, EILSEQ);
    QCOMPARE(stream.commit().number, EILSEQ);
    QCOMPARE(ReadAll(m_file), kOld);
}

QTEST_GUILESS_MAIN(ResultFileStreamTest)
#include "tst_ResultFileStream.moc"
