#include "AccountList.h"
#include "HandoutFile.h"
#include "HandoutFormat.h"
#include "PasswordHasher.h"

#include <QFile>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QTest>

#include <crypt.h>
#include <sys/stat.h>

class HandoutTest : public QObject {
    Q_OBJECT

private slots:
    void accounts_data();
    void accounts();
    void encodings_data();
    void encodings();
    void rowTexts_data();
    void rowTexts();
    void hashesVerify_data();
    void hashesVerify();
    void workbookHoldsText();

private:
    QTemporaryDir dir_;
};

// The names read, joined by "|", or the refusal as "problem line firstLine".
void HandoutTest::accounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("csv");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("header");
    QTest::addColumn<QString>("expected");

    const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("lines whole, blanks skipped, names exact")
        << "a,b\r\n\r\n  \nsay \"hi\"\r O'Brien \n"
        << false << 0 << false << "a,b|say \"hi\"| O'Brien ";
    row("csv first column, quotes and a comma")
        << "\"a,b\",x\r\n\"say \"\"hi\"\"\",y\r\nc" << true << 0 << false << "a,b|say \"hi\"|c";
    row("csv column 2 after a header") << "name,mail\nx,m1\ny,m2\n" << true << 2 << true << "m1|m2";
    row("csv blank field skipped") << "a\n,\nb\n" << true << 1 << false << "a|b";
    row("duplicate names both lines") << "a\nb\n\na\n" << false << 0 << false << "dup 4 1";
    row("duplicate after a quoted line break") << "1,\"x\ny\"\na\na\n"
                                               << true << 0 << false << "dup 4 3";
    row("missing column") << "a,1\nb\n" << true << 2 << false << "column 2 0";
    row("open quote") << "a\n\"b\nc\n" << true << 0 << false << "quote 2 0";
    row("control character") << "a\tb\n" << false << 0 << false << "control 1 0";
    row("line break inside a csv name") << "\"a\nb\"\n" << true << 0 << false << "control 1 0";
    row("nothing but a header") << "name\n\n" << false << 0 << true << "none 0 0";
}

void HandoutTest::accounts() {
    QFETCH(QString, text);
    QFETCH(bool, csv);
    QFETCH(int, column);
    QFETCH(bool, header);
    QFETCH(QString, expected);
    const AccountsOutcome outcome = ParseAccounts(text, csv, {column, header});
    if (const auto* list = std::get_if<AccountList>(&outcome)) {
        QCOMPARE(list->names.join(u'|'), expected);
        QCOMPARE(list->names.size(), list->lines.size());
        return;
    }
    const AccountError& e = std::get<AccountError>(outcome);
    static const char* const kNames[] = {"read",    "text", "quote", "column",
                                         "control", "dup",  "none"};
    QCOMPARE(QStringLiteral("%1 %2 %3").arg(kNames[int(e.problem)]).arg(e.line).arg(e.firstLine),
             expected);
}

// The same list in each encoding that keymill.ini may be in; a byte that is no text is refused.
void HandoutTest::encodings_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    const QString names = QStringLiteral("山田太郎\r\n佐藤花子\r\nｱｲ\r\n");
    const auto utf16 = [&](QStringEncoder::Encoding e) {
        return QByteArray(QStringEncoder(e, QStringEncoder::Flag::WriteBom).encode(names));
    };
    const QString read = QStringLiteral("山田太郎|佐藤花子|ｱｲ");
    QTest::newRow("code page 932") << QByteArray("\x8eR\x93"
                                                 "c\x91\xbe\x98Y\r\n\x8d\xb2\x93\xa1"
                                                 "\x89\xd4\x8eq\r\n\xb1\xb2\r\n")
                                   << read;
    QTest::newRow("UTF-8") << names.toUtf8() << read;
    QTest::newRow("UTF-8 with its mark") << "\xEF\xBB\xBF" + names.toUtf8() << read;
    QTest::newRow("UTF-16 LE") << utf16(QStringEncoder::Utf16LE) << read;
    QTest::newRow("UTF-16 BE") << utf16(QStringEncoder::Utf16BE) << read;
    QTest::newRow("code page 932, a lead byte alone")
        << QByteArray("a\r\nb\x81\r\n") << "not text on line 2";
}

void HandoutTest::encodings() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QFile file(dir_.filePath("accounts.txt"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    const AccountsOutcome outcome = ReadAccounts(file.fileName(), {});
    if (const auto* e = std::get_if<AccountError>(&outcome)) {
        QCOMPARE(e->problem, AccountProblem::NotText);
        QCOMPARE(QStringLiteral("not text on line %1").arg(e->line), expected);
        return;
    }
    QCOMPARE(std::get<AccountList>(outcome).names.join(u'|'), expected);
}

void HandoutTest::rowTexts_data() {
    QTest::addColumn<int>("format");
    QTest::addColumn<bool>("hash");
    QTest::addColumn<QString>("header");
    QTest::addColumn<QString>("line");
    const int csv = int(HandoutFormat::Csv), json = int(HandoutFormat::Json);
    const int chpasswd = int(HandoutFormat::Chpasswd);
    QTest::newRow("csv") << csv << false << u"\uFEFFaccount,password\r\n"_qs
                         << u"\"say \"\"hi\"\"\",\"=1,2\"\r\n"_qs;
    QTest::newRow("csv, hash") << csv << true << u"\uFEFFaccount,password,hash\r\n"_qs
                               << u"\"say \"\"hi\"\"\",\"=1,2\",$y$h\r\n"_qs;
    QTest::newRow("json") << json << false << QString()
                          << u"{\"account\":\"say \\\"hi\\\"\",\"password\":\"=1,2\"}\n"_qs;
    QTest::newRow("json, hash")
        << json << true << QString()
        << u"{\"account\":\"say \\\"hi\\\"\",\"password\":\"=1,2\",\"hash\":\"$y$h\"}\n"_qs;
    QTest::newRow("chpasswd") << chpasswd << false << QString() << u"say \"hi\":=1,2\n"_qs;
    QTest::newRow("chpasswd -e") << chpasswd << true << QString() << u"say \"hi\":$y$h\n"_qs;
}

void HandoutTest::rowTexts() {
    QFETCH(int, format);
    QFETCH(bool, hash);
    QFETCH(QString, header);
    QFETCH(QString, line);
    const HandoutColumns columns{true, hash};
    const HandoutRow row{u"say \"hi\""_qs, QStringLiteral("=1,2"), QStringLiteral("$y$h")};
    QCOMPARE(HandoutHeaderText(HandoutFormat(format), columns), header);
    QCOMPARE(HandoutRowText(HandoutFormat(format), columns, row), line);
}

void HandoutTest::hashesVerify_data() {
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("yescrypt") << int(HashScheme::Yescrypt) << "$y$";
    QTest::newRow("sha512crypt") << int(HashScheme::Sha512Crypt) << "$6$";
}

// crypt(3) given the hash as its setting gives the hash back for the password alone; two hashes
// of one password differ by their salts.
void HandoutTest::hashesVerify() {
    QFETCH(int, scheme);
    QFETCH(QString, prefix);
    PasswordHasher hasher{HashScheme(scheme)};
    const QString password = QStringLiteral("=pä55@");
    const std::optional<QString> first = hasher.hash(password);
    const std::optional<QString> second = hasher.hash(password);
    QVERIFY(first && second);
    QVERIFY(first->startsWith(prefix));
    QVERIFY(*first != *second);
    crypt_data data{};
    QCOMPARE(QString::fromLatin1(
                 crypt_r(password.toUtf8().constData(), first->toLatin1().constData(), &data)),
             *first);
    QVERIFY(QString::fromLatin1(crypt_r("=pa55@", first->toLatin1().constData(), &data)) != *first);
}

// Every cell is a string carrying the text format, none a formula; a new file is private.
void HandoutTest::workbookHoldsText() {
    const QString path = dir_.filePath("p.xlsx");
    const QList<HandoutRow> rows = PairPasswords({"山田", "b"}, {"=1+2", "0012", "unpaired"});
    QCOMPARE(rows.size(), 2);
    QVERIFY(WriteHandoutFile(path, HandoutFormat::Xlsx, {true, false}, rows).ok());
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(path).constData(), &info), 0);
    QCOMPARE(info.st_mode & 0777, 0600u);
    const auto part = [&](const char* name) {
        QProcess unzip;
        unzip.start("unzip", {"-p", path, name});
        unzip.waitForFinished();
        return QString::fromUtf8(unzip.readAllStandardOutput());
    };
    const QString sheet = part("xl/worksheets/sheet1.xml");
    for (const char* cell : {"A1\" s=\"1\" t=\"inlineStr\"><is><t>account</t>",
                             "B1\" s=\"1\" t=\"inlineStr\"><is><t>password</t>",
                             "A2\" s=\"1\" t=\"inlineStr\"><is><t>山田</t>",
                             "B2\" s=\"1\" t=\"inlineStr\"><is><t>=1+2</t>",
                             "B3\" s=\"1\" t=\"inlineStr\"><is><t>0012</t>"})
        QVERIFY2(sheet.contains(QString::fromUtf8(cell)), cell);
    QVERIFY(!sheet.contains("<f>"));
    QVERIFY(part("xl/workbook.xml").contains(u"name=\"パスワード\""_qs));
    QVERIFY(part("xl/styles.xml").contains("formatCode=\"@\""));
}

QTEST_GUILESS_MAIN(HandoutTest)
#include "tst_Handout.moc"
