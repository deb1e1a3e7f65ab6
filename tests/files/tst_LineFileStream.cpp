// The streaming form of a file of lines: the same bytes however it is fed, nothing of it before
// commit, and a refusal that names the right line among many.
#include "LineFileStream.h"

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

class LineFileStreamTest : public QObject {
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

void LineFileStreamTest::init() {
    m_dir.emplace();
    m_file = m_dir->filePath(QStringLiteral("list.txt"));
    QFile old(m_file);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(kOld);
}

void LineFileStreamTest::sameBytesHoweverFed_data() {
    QTest::addColumn<FileEncoding>("encoding");
    QTest::addColumn<qsizetype>("flushBytes");
    QTest::newRow("code page 932, written as it comes") << FileEncoding::Cp932 << qsizetype(1);
    QTest::newRow("code page 932, held until commit")
        << FileEncoding::Cp932 << LineFileStream::kHoldUntilCommit;
    QTest::newRow("UTF-8, default pieces")
        << FileEncoding::Utf8 << LineFileStream::kDefaultFlushBytes;
}

void LineFileStreamTest::sameBytesHoweverFed() {
    QFETCH(FileEncoding, encoding);
    QFETCH(qsizetype, flushBytes);
    QByteArray expected;
    for (int row = 1; row <= kCount; ++row) {
        // パ = 83 70, ス = 83 58 in code page 932
        expected += encoding == FileEncoding::Cp932 ? QByteArray("\x83\x70\x83\x58")
                                                    : QStringLiteral("パス").toUtf8();
        expected += QByteArray::number(row) + "\r\n";
    }

    LineFileStream stream(flushBytes);
    QVERIFY(stream.open(m_file, encoding).ok());
    for (int row = 1; row <= kCount; ++row)
        QVERIFY(stream.append(Password(row)).ok());
    QVERIFY(stream.commit().ok());
    QCOMPARE(stream.count(), kCount);
    QCOMPARE(ReadAll(m_file), expected);
}

void LineFileStreamTest::abortLeavesOldFile() {
    {
        LineFileStream stream(1);
        QVERIFY(stream.open(m_file, FileEncoding::Cp932).ok());
        for (int row = 1; row <= kCount; ++row)
            QVERIFY(stream.append(Password(row)).ok());
        QCOMPARE(ReadAll(m_file), kOld);
        // Dropped without commit.
    }
    QCOMPARE(ReadAll(m_file), kOld);
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files | QDir::Hidden), QStringList{"list.txt"});
}

void LineFileStreamTest::refusalNamesRowAndCharacter_data() {
    QTest::addColumn<FileEncoding>("encoding");
    QTest::addColumn<QString>("character");
    QTest::newRow("emoji in code page 932") << FileEncoding::Cp932 << QStringLiteral("😀");
    QTest::newRow("half an emoji in UTF-8") << FileEncoding::Utf8 << QString(QChar(0xD83D));
}

void LineFileStreamTest::refusalNamesRowAndCharacter() {
    QFETCH(FileEncoding, encoding);
    QFETCH(QString, character);
    constexpr int kBadRow = 40000;

    LineFileStream stream(1);
    QVERIFY(stream.open(m_file, encoding).ok());
    WriteOutcome refusal;
    for (int row = 1; row <= kCount && refusal.ok(); ++row)
        refusal = stream.append(row == kBadRow ? Password(row) + character : Password(row));
    if (refusal.ok())
        refusal = stream.commit();

    QCOMPARE(refusal.number, EILSEQ);
    QCOMPARE(refusal.row, kBadRow);
    QCOMPARE(refusal.refused, character);
    QCOMPARE(stream.append(QStringLiteral("more")).number, EILSEQ);
    QCOMPARE(stream.commit().number, EILSEQ);
    QCOMPARE(ReadAll(m_file), kOld);
}

QTEST_GUILESS_MAIN(LineFileStreamTest)
#include "tst_LineFileStream.moc"
