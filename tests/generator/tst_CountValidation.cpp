#include "CountValidation.h"

#include <QTest>

namespace {
const QString kLengthNonDigit = QStringLiteral("Error:文字数に数字以外のものが含まれています。");
const QString kCountNonDigit = QStringLiteral("Error:生成数に数字以外のものが含まれています。");
const QString kLengthZero = QStringLiteral("Error:文字数に0を指定することはできません。");
const QString kCountZero = QStringLiteral("Error:生成数に0を指定することはできません。");
} // namespace

class CountValidationTest : public QObject {
    Q_OBJECT

private slots:
    void codeAndMessage_data();
    void codeAndMessage();
};

void CountValidationTest::codeAndMessage_data() {
    QTest::addColumn<QString>("mojisu");
    QTest::addColumn<QString>("seisei");
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("message");

    const auto row = [](const char* name, const QString& mojisu, const QString& seisei, int code,
                        const QString& message) {
        QTest::newRow(name) << mojisu << seisei << code << message;
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

void CountValidationTest::codeAndMessage() {
    QFETCH(QString, mojisu);
    QFETCH(QString, seisei);
    QFETCH(int, code);
    QFETCH(QString, message);

    const qint16 actual = ValidateCountsCode(mojisu, seisei);

    QCOMPARE(int(actual), code);
    QCOMPARE(ValidationMessage(actual), message);
}

QTEST_APPLESS_MAIN(CountValidationTest)
#include "tst_CountValidation.moc"
