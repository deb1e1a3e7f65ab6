#include "CliOptions.h"
#include "CliRun.h"
#include "RunRefusalCases.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kAll =
    QStringLiteral("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

// Keeps the passwords in memory; fails on the given append when asked to.
class MemorySink : public PasswordSink {
public:
    QStringList passwords;
    bool committed = false;
    bool aborted = false;
    int failAt = -1;
    QString failure;

    bool open() override { return true; }
    bool append(QStringView password) override {
        if (passwords.size() == failAt)
            return false;
        passwords << password.toString();
        return true;
    }
    bool commit() override { return committed = true; }
    void abort() override { aborted = true; }
    QString errorText() const override { return failure; }
};

struct Outcome {
    int exitCode = 0;
    QString out;
    QString err;
    QString pool;
    QStringList passwords;
};

Outcome Run(const QStringList& arguments, const QString& windowSettings, MemorySink& sink) {
    Outcome outcome;
    const ParsedCommandLine parsed =
        ParseCommandLine(QStringList{"keymill-cli"} + arguments, [&] { return windowSettings; });
    if (!parsed.options) {
        outcome.exitCode = parsed.exitCode;
        outcome.out = parsed.output;
        outcome.err = parsed.error.isEmpty() ? QString() : "keymill-cli: " + parsed.error + "\n";
        return outcome;
    }
    const auto prepared = PrepareRun(*parsed.options);
    if (const auto* run = std::get_if<RunPlan>(&prepared))
        outcome.pool = run->pool.toString();
    QTextStream err(&outcome.err);
    RandomSource source(ChaChaKey{1, 2, 3, 4, 5, 6, 7, 8});
    const std::atomic<bool> stop{false};
    outcome.exitCode = RunCli(*parsed.options, sink, err, source, stop);
    outcome.passwords = sink.passwords;
    return outcome;
}

} // namespace

class CliOptionsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void optionsAndExitCodes_data();
    void optionsAndExitCodes();
    void failedOutput_data();
    void failedOutput();
    void requestFromArgumentsAlone_data();
    void requestFromArgumentsAlone();
    void refusesWhatThePlanRefuses_data();
    void refusesWhatThePlanRefuses();
    void settingsPolicies_data();
    void settingsPolicies();
    void wholeCharacters();

private:
    QTemporaryDir dir_;
    QString settingsFile_;
    QString clutteredFile_;  // control characters, a byte that does not decode, a long text
    QString accountsFile_;   // 山田 in code page 932, a blank line, b:2
    QString duplicatesFile_; // c twice
};

void CliOptionsTest::initTestCase() {
    QVERIFY(dir_.isValid());
    settingsFile_ = dir_.filePath("keymill.ini");
    QFile file(settingsFile_);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Add]\r\nSuji=1\r\nAlhabetBig=0\r\nAlphabetMini=0\r\nAddChr=1\r\nAddChrList=ab\r\n"
               "DeleteChr=1\r\nDeleteChrList=0\r\n");
    file.close();
    clutteredFile_ = dir_.filePath("cluttered.ini");
    QFile cluttered(clutteredFile_);
    QVERIFY(cluttered.open(QIODevice::WriteOnly));
    cluttered.write("[Add]\r\nSuji=0\r\nAlhabetBig=0\r\nAlphabetMini=0\r\nAddChr=1\r\n"
                    "AddChrList=x\ty\x01z" +
                    QByteArray(40000, 'w') + "\x81\r\n");
    cluttered.close();
    accountsFile_ = dir_.filePath("accounts.txt");
    QFile accounts(accountsFile_);
    QVERIFY(accounts.open(QIODevice::WriteOnly));
    accounts.write("\x8eR\x93"
                   "c\r\n\r\nb:2\r\n"); // 山田
    accounts.close();
    duplicatesFile_ = dir_.filePath("duplicates.txt");
    QFile duplicates(duplicatesFile_);
    QVERIFY(duplicates.open(QIODevice::WriteOnly));
    duplicates.write("c\nd\nc\n");
    duplicates.close();
}

void CliOptionsTest::optionsAndExitCodes_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");  // exact standard error
    QTest::addColumn<QString>("pool"); // the pool drawn from, when the run gets that far
    QTest::addColumn<int>("passwords");

    const auto row = [](const char* name) -> QTestData& { return QTest::newRow(name); };
    row("length alone: three classes") << QStringList{"-l", "8"} << 0 << "" << kAll << 1;
    row("long names, count") << QStringList{"--length", "8", "--count", "3", "--digits"} << 0 << ""
                             << "0123456789" << 3;
    row("leading zeros") << QStringList{"-l", "007", "-c", "002", "-u"} << 0 << ""
                         << "ABCDEFGHIJKLMNOPQRSTUVWXYZ" << 2;
    row("extra repeats entries") << QStringList{"-l", "4", "-d", "-a", "77"} << 0 << ""
                                 << "012345678977" << 1;
    // One distinct character, however many entries: the run goes on, with a warning.
    row("extra alone") << QStringList{"-l", "4", "-a", "aaa"} << 0
                       << "keymill-cli: warning: the only character to draw from is 'a' (U+0061); "
                          "every password is the same\n"
                       << "aaa" << 1;
    row("exclude from the default classes")
        << QStringList{"-l", "4", "-x", kAll.mid(1)} << 0
        << "keymill-cli: warning: the only character to draw from is '0' (U+0030); every "
           "password is the same\n"
        << "0" << 1;
    row("no similar") << QStringList{"-l", "4", "-B", "-d", "-a", "|x"} << 0 << ""
                      << "23456789x" << 1;
    row("settings file") << QStringList{"-l", "4", "--settings-file", "SETTINGS"} << 0 << ""
                         << "123456789ab" << 1;
    row("window settings") << QStringList{"-l", "4", "--settings"} << 0 << ""
                           << "123456789ab" << 1;
    // What the window's boxes would hold: the first 10,000 units less the control characters.
    row("settings file, kept as the window keeps it")
        << QStringList{"-l", "4", "--settings-file", "CLUTTERED"} << 0 << ""
        << "xyz" + QString(kMaxFreeTextLength - 5, u'w') << 1;
    row("extra and exclude drop control characters")
        << QStringList{"-l", "4", "-a", u"a\tb\nc\x7f"_qs + QChar(0xD800) + u"😀"_qs, "-x", "b\r\n"}
        << 0 << ""
        << "ac😀" << 1;
    row("entropy") << QStringList{"-l", "16", "-e"} << 0 << "95.3 bits\n" << kAll << 1;
    row("each class") << QStringList{"-l", "3", "-y", "-c", "50"} << 0 << "" << kAll << 50;
    row("utf-8 file takes an emoji")
        << QStringList{"-l", "2", "-a", "😀😀", "-o", "f", "--encoding", "utf-8"} << 0
        << "keymill-cli: warning: the only character to draw from is '😀' (U+1F600); every "
           "password is the same\n"
        << "😀😀" << 1;
    row("two distinct characters: no warning")
        << QStringList{"-l", "4", "-a", "ab", "-c", "3"} << 0 << ""
        << "ab" << 3;

    row("length missing") << QStringList{"-c", "3"} << 2
                          << "keymill-cli: --length is required (1..99999)\n"
                          << "" << 0;
    const QString badLength = "keymill-cli: --length must be 1..99999\n";
    row("length 0") << QStringList{"-l", "0"} << 2 << badLength << "" << 0;
    row("length 100000") << QStringList{"-l", "100000"} << 2 << badLength << "" << 0;
    row("length with a sign") << QStringList{"-l", "+5"} << 2 << badLength << "" << 0;
    row("length with a letter") << QStringList{"-l", "5x"} << 2 << badLength << "" << 0;
    row("length full-width") << QStringList{"-l", "５"} << 2 << badLength << "" << 0;
    const QString badCount = "keymill-cli: --count must be 1..2147483647\n";
    row("count 0") << QStringList{"-l", "8", "-c", "0"} << 2 << badCount << "" << 0;
    row("count 2^31") << QStringList{"-l", "8", "-c", "2147483648"} << 2 << badCount << "" << 0;
    row("count far too large") << QStringList{"-l", "8", "-c", "99999999999999999999"} << 2
                               << badCount << "" << 0;
    // Qt's parser refuses these; the line is the program's own.
    row("value missing") << QStringList{"-l"} << 2 << "keymill-cli: missing value after '-l'\n"
                         << "" << 0;
    row("value missing, long name")
        << QStringList{"-l", "8", "--count"} << 2 << "keymill-cli: missing value after '--count'\n"
        << "" << 0;
    row("value missing after options stood together")
        << QStringList{"-l", "8", "-dc"} << 2 << "keymill-cli: missing value after '-c'\n"
        << "" << 0;
    row("unknown option") << QStringList{"-l", "8", "--seed", "1"} << 2
                          << "keymill-cli: unknown option '--seed'\n"
                          << "" << 0;
    row("unknown short option") << QStringList{"-l", "8", "-q"} << 2
                                << "keymill-cli: unknown option '-q'\n"
                                << "" << 0;
    row("value given to an option without one") << QStringList{"-l", "8", "--digits=3"} << 2
                                                << "keymill-cli: unexpected value after "
                                                   "'--digits'\n"
                                                << "" << 0;
    row("positional argument") << QStringList{"-l", "8", "16"} << 2
                               << "keymill-cli: unexpected argument '16'\n"
                               << "" << 0;
    row("empty pool") << QStringList{"-l", "8", "-d", "-x", "0123456789"} << 2
                      << "keymill-cli: the options leave no character to draw from\n"
                      << "" << 0;
    row("settings with a class option")
        << QStringList{"-l", "8", "--settings", "-d"} << 2
        << "keymill-cli: --settings cannot be combined with --digits, --upper, --lower, "
           "--extra or --exclude\n"
        << "" << 0;
    row("both settings options")
        << QStringList{"-l", "8", "--settings", "--settings-file", "SETTINGS"} << 2
        << "keymill-cli: --settings and --settings-file cannot be used together\n"
        << "" << 0;
    row("settings file missing") << QStringList{"-l", "8", "--settings-file", "/nonexistent"} << 2
                                 << "keymill-cli: --settings-file: cannot read '/nonexistent'\n"
                                 << "" << 0;
    row("encoding without output") << QStringList{"-l", "8", "--encoding", "utf-8"} << 2
                                   << "keymill-cli: --encoding applies only to --output\n"
                                   << "" << 0;
    row("unknown encoding") << QStringList{"-l", "8", "-o", "f", "--encoding", "latin1"} << 2
                            << "keymill-cli: --encoding must be cp932 or utf-8\n"
                            << "" << 0;
    row("code page 932 cannot hold the pool")
        << QStringList{"-l", "8", "-a", "€", "-o", "f"} << 2
        << "keymill-cli: --output: code page 932 cannot hold '€' (U+20AC); use --encoding "
           "utf-8\n"
        << "" << 0;
    row("each class longer than the length")
        << QStringList{"-l", "2", "-y"} << 2
        << "keymill-cli: --each-class needs --length of at least 3, one per class\n"
        << "" << 0;
    row("each class with a class excluded")
        << QStringList{"-l", "8", "-y", "-d", "-u", "-x", "0123456789"} << 2
        << "keymill-cli: --each-class: no character of a chosen class is left (digits)\n"
        << "" << 0;
    row("a site's minlength above the length")
        << QStringList{"-l", "4", "--rules", "minlength: 8; required: digit"} << 2
        << "keymill-cli: --length must be at least 8, the minlength of --rules\n"
        << "" << 0;
    row("a site's rules that cannot be read")
        << QStringList{"--rules", "minlength: 8; required: emoji"} << 2
        << "keymill-cli: --rules: cannot read or meet 'required: emoji'\n"
        << "" << 0;
    row("slips: per page") << QStringList{"-l", "8", "--slips", "s.pdf", "--slips-per-page", "9"}
                           << 2 << "keymill-cli: --slips-per-page must be 8, 10 or 12\n"
                           << "" << 0;
    row("slips: an option without --slips") << QStringList{"-l", "8", "--slip-kinds"} << 2
                                            << "keymill-cli: --slip-kinds applies only to --slips\n"
                                            << "" << 0;
    row("slips: more than are held") << QStringList{"-l", "8", "-c", "100000", "--slips", "s.pdf"}
                                     << 2 << "keymill-cli: --slips takes at most 99999 passwords\n"
                                     << "" << 0;
    // Accounts: two in ACCOUNTS (line 2 is blank); -c must match them, formats need them.
    row("accounts give the count")
        << QStringList{"-l", "8", "--accounts", "ACCOUNTS"} << 0 << "" << kAll << 2;
    row("count against the accounts")
        << QStringList{"-l", "8", "--accounts", "ACCOUNTS", "-c", "3"} << 2
        << "keymill-cli: --count 3 does not match the 2 accounts of --accounts; leave --count "
           "out\n"
        << "" << 0;
    row("duplicate account") << QStringList{"-l", "8", "--accounts", "DUPLICATES"} << 2
                             << "keymill-cli: --accounts: 'c' on line 3 of 'DUPLICATES' is "
                                "already on line 1\n"
                             << "" << 0;
    row("chpasswd refuses a colon")
        << QStringList{"-l", "8", "--accounts", "ACCOUNTS", "--format", "chpasswd"} << 2
        << "keymill-cli: --format chpasswd: the account 'b:2' on line 3 holds ':', which ends "
           "the name in chpasswd's lines\n"
        << "" << 0;
    row("chpasswd needs accounts") << QStringList{"-l", "8", "--format", "chpasswd"} << 2
                                   << "keymill-cli: --format chpasswd needs --accounts\n"
                                   << "" << 0;
    row("xlsx needs a file") << QStringList{"-l", "8", "--format", "xlsx"} << 2
                             << "keymill-cli: --format xlsx needs --output: a workbook is not "
                                "text\n"
                             << "" << 0;
    row("hash needs a format") << QStringList{"-l", "8", "--hash", "yescrypt"} << 2
                               << "keymill-cli: --hash needs --format csv, json, chpasswd or "
                                  "xlsx\n"
                               << "" << 0;
    row("encoding is for plain") << QStringList{"-l",       "8",   "-o",         "f",
                                                "--format", "csv", "--encoding", "utf-8"}
                                 << 2 << "keymill-cli: --encoding applies only to --format plain\n"
                                 << "" << 0;
    row("help") << QStringList{"-h"} << 0 << ""
                << "" << 0;
    row("help-all is help") << QStringList{"--help-all"} << 0 << ""
                            << "" << 0;
    row("version") << QStringList{"--version"} << 0 << ""
                   << "" << 0;
}

void CliOptionsTest::optionsAndExitCodes() {
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    QFETCH(QString, pool);
    QFETCH(int, passwords);
    arguments.replaceInStrings(QStringLiteral("SETTINGS"), settingsFile_);
    arguments.replaceInStrings(QStringLiteral("CLUTTERED"), clutteredFile_);
    arguments.replaceInStrings(QStringLiteral("ACCOUNTS"), accountsFile_);
    arguments.replaceInStrings(QStringLiteral("DUPLICATES"), duplicatesFile_);
    err.replace(QStringLiteral("DUPLICATES"), duplicatesFile_);

    MemorySink sink;
    const Outcome outcome = Run(arguments, settingsFile_, sink);
    QCOMPARE(outcome.err, err);
    QCOMPARE(outcome.exitCode, exitCode);
    QCOMPARE(outcome.pool, pool);
    QCOMPARE(outcome.passwords.size(), passwords);
    QCOMPARE(sink.committed, passwords > 0);

    const qsizetype at = arguments.indexOf("-l");
    const qsizetype length = at >= 0 && at + 1 < arguments.size() ? arguments[at + 1].toInt() : 8;
    for (const QString& password : outcome.passwords) {
        QCOMPARE(password.toUcs4().size(), length);
        for (uint c : password.toUcs4())
            QVERIFY(pool.toUcs4().contains(c));
    }
    if (arguments.contains("-y")) {
        for (const QString& password : outcome.passwords)
            QVERIFY(password.contains(QRegularExpression("[0-9]")) &&
                    password.contains(QRegularExpression("[A-Z]")) &&
                    password.contains(QRegularExpression("[a-z]")));
    }
    if (arguments == QStringList{"-h"} || arguments == QStringList{"--help-all"}) {
        QVERIFY2(outcome.out.startsWith("Usage: keymill-cli [options]\n"), qPrintable(outcome.out));
        QVERIFY2(outcome.out.contains("  -h, --help "), qPrintable(outcome.out));
        QVERIFY2(!outcome.out.contains("--help-all"), qPrintable(outcome.out));
    }
    if (arguments == QStringList{"--version"})
        QCOMPARE(outcome.out, QStringLiteral("keymill-cli " KEYMILL_VERSION "\n"));
}

void CliOptionsTest::failedOutput_data() {
    QTest::addColumn<QString>("failure");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err");

    QTest::newRow("write error") << "cannot write to standard output: No space left on device" << 1
                                 << "keymill-cli: cannot write to standard output: No space "
                                    "left on device\n";
    QTest::newRow("reader gone: quiet") << "" << 0 << "";
}

void CliOptionsTest::failedOutput() {
    QFETCH(QString, failure);
    QFETCH(int, exitCode);
    QFETCH(QString, err);
    MemorySink sink;
    sink.failAt = 2;
    sink.failure = failure;
    const Outcome outcome = Run({"-l", "8", "-c", "5"}, settingsFile_, sink);
    QCOMPARE(outcome.exitCode, exitCode);
    QCOMPARE(outcome.err, err);
    QCOMPARE(sink.passwords.size(), 2);
    QVERIFY(sink.aborted);
    QVERIFY(!sink.committed);
}

// Step one reads nothing but the arguments: a settings file is named in the request, not read,
// so a missing one is no error yet.
void CliOptionsTest::requestFromArgumentsAlone_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("characters"); // CharacterSource
    QTest::addColumn<QString>("settingsFile");
    QTest::addColumn<QString>("classes"); // d, u, w as set in the request's options
    QTest::addColumn<QString>("extra");
    QTest::addColumn<int>("encoding"); // FileEncoding

    const int args = int(CharacterSource::Arguments);
    const int cp932 = int(FileEncoding::Cp932);
    QTest::newRow("three classes by default") << QStringList{"-l", "8"} << args << ""
                                              << "duw"
                                              << "" << cp932;
    QTest::newRow("options stood together, extra text")
        << QStringList{"-l", "8", "-dwa", "xy"} << args << ""
        << "dw"
        << "xy" << cp932;
    QTest::newRow("settings file named, not read")
        << QStringList{"-l", "8", "--settings-file", "/nonexistent/keymill.ini"}
        << int(CharacterSource::SettingsFile) << "/nonexistent/keymill.ini"
        << ""
        << "" << cp932;
    QTest::newRow("window settings")
        << QStringList{"-l", "8", "--settings"} << int(CharacterSource::WindowFile) << ""
        << ""
        << "" << cp932;
    QTest::newRow("UTF-8 output") << QStringList{"-l", "8", "-u", "-o", "f", "--encoding", "UTF8"}
                                  << args << ""
                                  << "u"
                                  << "" << int(FileEncoding::Utf8);
}

void CliOptionsTest::requestFromArgumentsAlone() {
    QFETCH(QStringList, arguments);
    QFETCH(int, characters);
    QFETCH(QString, settingsFile);
    QFETCH(QString, classes);
    QFETCH(QString, extra);
    QFETCH(int, encoding);

    const ParsedArguments parsed = ParseArguments(QStringList{"keymill-cli"} + arguments);
    QVERIFY2(parsed.request.has_value(), qPrintable(parsed.error));
    const CliRequest& request = *parsed.request;
    QCOMPARE(int(request.characters), characters);
    QCOMPARE(request.settingsFile, settingsFile);
    const GenerationOptions& g = request.options.generation;
    QString set;
    if (g.digits)
        set += u'd';
    if (g.upper)
        set += u'u';
    if (g.lower)
        set += u'w';
    QCOMPARE(set, classes);
    QCOMPARE(g.extraText, extra);
    QCOMPARE(int(request.options.encoding), encoding);
    QCOMPARE(request.options.length, 8);
}

QTEST_GUILESS_MAIN(CliOptionsTest)
#include "tst_CliOptions.moc"

namespace {
// The command line that asks for request.
QStringList ArgumentsFor(const RunRequest& request) {
    QStringList arguments{"-l", QString::number(request.length), "-c",
                          QString::number(request.count)};
    const GenerationOptions& g = request.characters;
    if (g.digits)
        arguments << "-d";
    if (g.upper)
        arguments << "-u";
    if (g.lower)
        arguments << "-w";
    if (g.extra)
        arguments << "-a" << g.extraText;
    if (g.exclude)
        arguments << "-x" << g.excludeText;
    if (request.noSimilar)
        arguments << "-B";
    if (request.eachClass)
        arguments << "-y";
    if (request.minimums.digits)
        arguments << "--min-digits" << QString::number(request.minimums.digits);
    if (request.minimums.upper)
        arguments << "--min-upper" << QString::number(request.minimums.upper);
    if (request.minimums.symbols)
        arguments << "--min-symbols" << QString::number(request.minimums.symbols);
    if (request.maxRun)
        arguments << "--max-run" << QString::number(request.maxRun);
    if (request.first != FirstCharacter::Any)
        arguments << "--first" << FirstCharacterName(request.first);
    if (request.unique)
        arguments << "-U";
    return arguments;
}
} // namespace

// The runs the plan refuses are refused here too, naming the option and the value.
void CliOptionsTest::refusesWhatThePlanRefuses_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("named");
    for (const RunRefusalCase& c : RunRefusalCases()) {
        QStringList named;
        switch (c.refusal.rule) {
        case RunRule::LengthDigitsOnly: // the window's boxes only
        case RunRule::LengthNotZero:
        case RunRule::LengthInRange:
            named << "--length" << QString::number(kMaxPasswordLength);
            break;
        case RunRule::CountDigitsOnly:
        case RunRule::CountNotZero:
        case RunRule::CountInRange:
            named << "--count";
            break;
        case RunRule::EachClassLeft:
            named << "--each-class";
            if (c.refusal.value & EachClassRule::Digits)
                named << "digits";
            if (c.refusal.value & EachClassRule::Upper)
                named << "upper-case letters";
            if (c.refusal.value & EachClassRule::Lower)
                named << "lower-case letters";
            if (c.refusal.value & EachClassRule::Extra)
                named << "extra characters";
            break;
        case RunRule::EachClassLength:
            named << "--each-class" << QString::number(c.refusal.value);
            break;
        case RunRule::AnyCharacterLeft:
            named << "no character";
            break;
        case RunRule::MinimumLeft:
            named << "--min-symbols"
                  << "symbols";
            break;
        case RunRule::MinimumsLength:
            named << "minimums" << QString::number(c.refusal.value);
            break;
        case RunRule::MaxRunUnmeetable:
            named << "--max-run " + QString::number(c.refusal.value);
            break;
        case RunRule::FirstUnmeetable:
            named << "--first";
            break;
        case RunRule::UniqueCount:
            named << "--unique" << QString::number(c.refusal.value);
            break;
        default:
            QFAIL("a refusal without its words");
        }
        QTest::newRow(c.name) << ArgumentsFor(c.request) << named;
    }
}

void CliOptionsTest::refusesWhatThePlanRefuses() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, named);
    MemorySink sink;
    const Outcome outcome = Run(arguments, settingsFile_, sink);
    QCOMPARE(outcome.exitCode, 2);
    QVERIFY(outcome.passwords.isEmpty());
    QVERIFY(!sink.committed);
    QVERIFY2(outcome.err.startsWith("keymill-cli: ") && outcome.err.count(u'\n') == 1,
             qPrintable(outcome.err));
    for (const QString& name : named)
        QVERIFY2(outcome.err.contains(name), qPrintable(outcome.err + " lacks " + name));
}

// NoSimilar and EachClass of keymill.ini hold for --settings and --settings-file alike.
void CliOptionsTest::settingsPolicies_data() {
    QTest::addColumn<QByteArray>("add");
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("pool");
    QTest::addColumn<bool>("eachClass");
    QTest::addColumn<QString>("err"); // with -l 2 -e

    const QString noLookAlikes = u"23456789ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz"_qs;
    QTest::newRow("both, settings file") << QByteArray("[Add]\r\nNoSimilar=1\r\nEachClass=1\r\n")
                                         << "--settings-file" << noLookAlikes << true << "";
    QTest::newRow("both, window settings") << QByteArray("[Add]\r\nNoSimilar=1\r\nEachClass=1\r\n")
                                           << "--settings" << noLookAlikes << true << "";
    QTest::newRow("absent: neither")
        << QByteArray("[Add]\r\n") << "--settings" << kAll << false << "11.9 bits\n";
    QTest::newRow("each class alone refuses length 2")
        << QByteArray("[Add]\r\nEachClass=1\r\n") << "--settings" << QString() << true
        << "keymill-cli: --each-class needs --length of at least 3, one per class\n";
    // [Rules] and [Add] Unique: 10 * 9 codes without a repeat, 12 * 12 pairs of symbols,
    // 12 * 12 - 2 * 2 pairs with a digit.
    const QByteArray digits("[Add]\r\nSuji=1\r\nAlhabetBig=0\r\nAlphabetMini=0\r\n");
    QTest::newRow("longest run") << digits + "[Rules]\r\nMaxRun=1\r\n"
                                 << "--settings" << kDigitCharacters << false << "6.5 bits\n";
    QTest::newRow("symbols and their minimum")
        << QByteArray("[Rules]\r\nSymbols=jis-us\r\nMinSymbols=2\r\n") << "--settings-file"
        << kAll + "!#$%,-./;<>?" << false << "7.2 bits\n";
    QTest::newRow("a site's rules")
        << QByteArray("[Rules]\r\nPasswordRules=maxlength: 2; required: digit; allowed: [ab]\r\n")
        << "--settings" << kDigitCharacters + "ab" << false << "7.1 bits\n";
    QTest::newRow("unique beyond the codes")
        << "[Add]\r\nUnique=1\r\n" + digits.mid(7) << "--settings" << QString() << false
        << "keymill-cli: --unique: only 100 distinct passwords exist; choose a --count of at "
           "most that\n";
    QTest::newRow("a first character no rule knows")
        << QByteArray("[Rules]\r\nFirst=digit\r\n") << "--settings" << QString() << false
        << "keymill-cli: --settings: cannot read or meet '[Rules] First=digit'\n";
}

void CliOptionsTest::settingsPolicies() {
    QFETCH(QByteArray, add);
    QFETCH(QString, option);
    QFETCH(QString, pool);
    QFETCH(bool, eachClass);
    QFETCH(QString, err);
    const QString file = dir_.filePath("policies.ini");
    QFile ini(file);
    QVERIFY(ini.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ini.write(add);
    ini.close();
    QStringList arguments{"-l", pool.isEmpty() || !err.isEmpty() ? "2" : "4", "-c", "200", option};
    if (option == "--settings-file")
        arguments << file;
    if (!err.isEmpty())
        arguments << "-e";

    MemorySink sink;
    const Outcome outcome = Run(arguments, file, sink);
    QCOMPARE(outcome.err, err);
    QCOMPARE(outcome.pool, pool);
    if (pool.isEmpty())
        return;
    QCOMPARE(outcome.passwords.size(), 200);
    bool everyClassEveryTime = true;
    for (const QString& password : outcome.passwords) {
        for (QChar c : password)
            QVERIFY(pool.contains(c));
        everyClassEveryTime = everyClassEveryTime &&
                              password.contains(QRegularExpression("[0-9]")) &&
                              password.contains(QRegularExpression("[A-Z]")) &&
                              password.contains(QRegularExpression("[a-z]"));
    }
    QCOMPARE(everyClassEveryTime, eachClass);
}

// -a $'e\u0301' gives passwords of the accented é, written precomposed, never a lone accent; -l
// counts characters.
void CliOptionsTest::wholeCharacters() {
    MemorySink sink;
    const Outcome outcome =
        Run({"-l", "6", "-c", "20", "-a", u"e\u0301ｶﾞ"_qs, "-e"}, QString(), sink);
    QCOMPARE(outcome.exitCode, 0);
    QCOMPARE(outcome.err, QString("6.0 bits\n"));
    QCOMPARE(outcome.passwords.size(), 20);
    for (const QString& password : outcome.passwords) {
        // Six characters, each the precomposed é or ｶﾞ (two code units).
        QCOMPARE(password.size(), 6 + password.count(u"ｶﾞ"_qs));
        QVERIFY2(QString(password).remove(u"\u00e9"_qs).remove(u"ｶﾞ"_qs).isEmpty(),
                 qPrintable(password));
    }
}
