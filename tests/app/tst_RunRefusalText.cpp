#include "CountValidation.h"
#include "RunRefusalCases.h"
#include "RunRefusalText.h"

#include <QTest>

namespace {
const QString kLengthNonDigit = QStringLiteral("Error:文字数に数字以外のものが含まれています。");
const QString kCountNonDigit = QStringLiteral("Error:生成数に数字以外のものが含まれています。");
const QString kLengthZero = QStringLiteral("Error:文字数に0を指定することはできません。");
const QString kCountZero = QStringLiteral("Error:生成数に0を指定することはできません。");
} // namespace

Q_DECLARE_METATYPE(RunRequest)
Q_DECLARE_METATYPE(RunRefusal)

class RunRefusalTextTest : public QObject {
    Q_OBJECT

private slots:
    void countTexts_data();
    void countTexts();
    void refusalMessages_data();
    void refusalMessages();
    void strengthText_data();
    void strengthText();
};

void RunRefusalTextTest::countTexts_data() {
    QTest::addColumn<QString>("length");
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("code"); // one figure per broken rule: 1, 10, 100, 1000 in rule order
    QTest::addColumn<QString>("message");

    const auto row = [](const char* name, const QString& length, const QString& count, int code,
                        const QString& message) {
        QTest::newRow(name) << length << count << code << message;
    };
    row("valid", "8", "3", 0, {});
    row("leading zeros", "007", "10", 0, {});
    row("largest", "99999", "99999", 0, {});
    row("empty texts pass", "", "", 0, {});
    row("minus in length", "-5", "10", 1, kLengthNonDigit);
    row("zero followed by a letter", "0a", "1", 1, kLengthNonDigit);
    row("full-width digit", QStringLiteral("５"), "5", 1, kLengthNonDigit);
    row("point in count", "10", "1.5", 10, kCountNonDigit);
    row("both non-digit", "a", "-", 11,
        QStringLiteral("Error:文字数と生成数に数字以外のものが含まれています。"));
    row("length zero", "0", "10", 100, kLengthZero);
    row("count zero", "10", "00000", 1000, kCountZero);
    row("both zero", "00", "000", 1100,
        QStringLiteral("Error:文字数と生成数に0を指定することはできません。"));
    row("non-digit length, zero count", "1a", "0", 1001, kLengthNonDigit + "\n" + kCountZero);
    row("zero length, non-digit count", "0", "1.5", 110, kLengthZero + "\n" + kCountNonDigit);
}

void RunRefusalTextTest::countTexts() {
    QFETCH(QString, length);
    QFETCH(QString, count);
    QFETCH(int, code);
    QFETCH(QString, message);

    const QList<RunRule> broken = CountTextRefusals(length, count);
    const RunRule order[] = {RunRule::LengthDigitsOnly, RunRule::CountDigitsOnly,
                             RunRule::LengthNotZero, RunRule::CountNotZero};
    int actual = 0;
    for (int i = 0, figure = 1; i < 4; ++i, figure *= 10)
        actual += broken.contains(order[i]) ? figure : 0;
    QCOMPARE(actual, code);
    QCOMPARE(CountRefusalMessage(broken), message);
}

void RunRefusalTextTest::refusalMessages_data() {
    QTest::addColumn<RunRefusal>("refusal");
    QTest::addColumn<QString>("names"); // what the message must name
    QTest::newRow("classes left") << RunRefusal{RunRule::EachClassLeft,
                                                EachClassRule::Digits | EachClassRule::Extra}
                                  << "数字、任意文字";
    QTest::newRow("length") << RunRefusal{RunRule::EachClassLength, 4} << "文字数を4以上";
    QTest::newRow("unique") << RunRefusal{RunRule::UniqueCount, 100} << "100個";
    QTest::newRow("length bound") << RunRefusal{RunRule::LengthInRange, 0}
                                  << QString("1から%1").arg(kMaxPasswordLength);
}

void RunRefusalTextTest::refusalMessages() {
    QFETCH(RunRefusal, refusal);
    QFETCH(QString, names);
    const QString message = RunRefusalMessage(refusal);
    QVERIFY2(message.startsWith("Error:"), qPrintable(message));
    QVERIFY2(message.contains(names), qPrintable(message));
}

void RunRefusalTextTest::strengthText_data() {
    QTest::addColumn<RunRequest>("request");
    QTest::addColumn<QString>("text");
    QTest::newRow("16 of the 62") << RefusalRequest("duw", 16, false) << "強度 95.3 ビット";
    QTest::newRow("no length") << RefusalRequest("duw", 0, false) << "";
    QTest::newRow("no character") << RefusalRequest("d", 8, false, QString(), kDigitCharacters)
                                  << "使える文字がありません";
    QTest::newRow("each class, too short")
        << RefusalRequest("duw", 2, true) << "全種類を含められません（文字数が足りません）";
}

void RunRefusalTextTest::strengthText() {
    QFETCH(RunRequest, request);
    QFETCH(QString, text);
    QCOMPARE(StrengthLabelText(PlanRun(request)), text);
}

QTEST_APPLESS_MAIN(RunRefusalTextTest)
#include "tst_RunRefusalText.moc"
