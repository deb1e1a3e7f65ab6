#include "WriteOutcome.h"

#include <cerrno>
#include <cstring>

namespace {

QString DescribeErrno(int number) {
    switch (number) {
    case ENOENT:
        return QStringLiteral("指定されたパスが見つかりません。");
    case ENOTDIR:
        return QStringLiteral("パスの途中にフォルダーではないファイルがあります。");
    case EISDIR:
        return QStringLiteral("指定された名前はフォルダーです。");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスが拒否されました。");
    case EROFS:
        return QStringLiteral("読み取り専用のファイルシステムには書き込めません。");
    case ENOSPC:
        return QStringLiteral("ディスクの空き領域が不足しています。");
    case EDQUOT:
        return QStringLiteral("ディスクの割り当て量を超えました。");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます。");
    case ENAMETOOLONG:
        return QStringLiteral("ファイル名が長すぎます。");
    case EIO:
        return QStringLiteral("入出力エラーが発生しました。");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("ファイルはほかのプログラムが使用中です。");
    case ENXIO:
        return QStringLiteral("書き込む相手のデバイスまたはプログラムがありません。");
    case ELOOP:
        return QStringLiteral("シンボリック リンクが多すぎます。");
    default:
        return QStringLiteral("ファイルに書き込めませんでした。(%1)")
            .arg(QString::fromLocal8Bit(std::strerror(number)));
    }
}

} // namespace

QString CodePointName(QStringView text, qsizetype* units) {
    const QChar first = text.at(0);
    const bool pair = first.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate();
    if (units)
        *units = pair ? 2 : 1;
    const char32_t code = pair ? QChar::surrogateToUcs4(first, text.at(1)) : first.unicode();
    return QStringLiteral("U+%1").arg(QString::number(code, 16).toUpper().rightJustified(4, u'0'));
}

WriteOutcome ErrnoOutcome(int number) {
    if (number == 0)
        number = EIO; // a failure must never read as success
    WriteOutcome outcome;
    outcome.number = number;
    outcome.description = DescribeErrno(number);
    return outcome;
}

WriteOutcome RefusedCharacterOutcome(qint64 row, QStringView password, qsizetype index,
                                     const QString& encodingName) {
    qsizetype units = 1;
    const QString name = CodePointName(password.mid(index), &units);
    WriteOutcome outcome;
    outcome.number = EILSEQ;
    outcome.refused = password.mid(index, units).toString();
    outcome.description =
        QStringLiteral("%1 番目のパスワードの文字「%2」(%3) は%4 で保存できないため、ファイルに"
                       "書き込みませんでした。")
            .arg(QString::number(row), outcome.refused, name, encodingName);
    return outcome;
}

QString SaveErrorText(const WriteOutcome& outcome) {
    return QStringLiteral("エラー番号 = ") + QString::number(outcome.number) + u'\r' +
           outcome.description;
}
