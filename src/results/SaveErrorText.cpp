#include "SaveErrorText.h"

#include "CodePointName.h"
#include "ErrnoText.h"

#include <cerrno>
#include <cstring>

namespace {

QString Description(const WriteOutcome& outcome) {
    if (outcome.number == EILSEQ && !outcome.refused.isEmpty()) {
        // The window saves in code page 932 only.
        return QStringLiteral(
                   "%1 番目のパスワードの文字「%2」(%3) はコードページ 932 で保存できない"
                   "ため、ファイルに書き込みませんでした。")
            .arg(QString::number(outcome.row), outcome.refused, CodePointName(outcome.refused));
    }
    if (const QString text = JapaneseErrnoText(outcome.number); !text.isEmpty())
        return text;
    return QStringLiteral("ファイルに書き込めませんでした。(%1)")
        .arg(QString::fromLocal8Bit(std::strerror(outcome.number)));
}

} // namespace

QString SaveErrorText(const WriteOutcome& outcome) {
    return QStringLiteral("エラー番号 = ") + QString::number(outcome.number) + u'\r' +
           Description(outcome);
}
