#include "ResultFileWriter.h"

#include "Cp932Codec.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace {

QString DescribeErrno(int number, const QString& systemText) {
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
    default:
        return systemText.isEmpty() ? QStringLiteral("ファイルに書き込めませんでした。")
                                    : systemText;
    }
}

// errno is read right after the failing call, before anything else can change it.
WriteOutcome Failure(int savedErrno, const QFileDevice& file) {
    const int number = savedErrno != 0 ? savedErrno : EIO;
    return {number, DescribeErrno(number, file.errorString())};
}

WriteOutcome UnencodableFailure(const QStringList& passwords, const Cp932EncodeResult& encoded) {
    // Each password takes its length plus CR LF in the joined text.
    qsizetype offset = encoded.badIndex;
    int row = 0;
    while (row < passwords.size() && offset >= passwords[row].size() + 2) {
        offset -= passwords[row].size() + 2;
        ++row;
    }
    const QString description =
        QStringLiteral("%1 番目のパスワードの文字「%2」(U+%3) はコードページ 932 で保存できない"
                       "ため、ファイルに書き込みませんでした。")
            .arg(row + 1)
            .arg(encoded.badCharacter)
            .arg(QString::number(encoded.badCharacter.toUcs4().value(0), 16)
                     .toUpper()
                     .rightJustified(4, u'0'));
    return {EILSEQ, description};
}

// Devices and pipes cannot be replaced by renaming a new file over them: write in place.
WriteOutcome WriteInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Failure(errno, file);
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush())
        return Failure(errno, file);
    file.close();
    return {};
}

WriteOutcome WriteReplacing(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        const int saved = errno;
        if (QFileInfo(path).isDir())
            return {EISDIR, DescribeErrno(EISDIR, {})};
        return Failure(saved, file);
    }
    // A failed flush leaves a short temporary file: it must never be renamed over the old one.
    errno = 0;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const int saved = errno;
        file.cancelWriting();
        return Failure(saved, file);
    }
    errno = 0;
    if (!file.commit())
        return Failure(errno, file);
    return {};
}

} // namespace

WriteOutcome WriteResultFile(const QString& path, const QStringList& passwords) {
    QString text;
    qsizetype length = 0;
    for (const QString& password : passwords)
        length += password.size() + 2;
    text.reserve(length);
    for (const QString& password : passwords) {
        text += password;
        text += QLatin1String("\r\n");
    }

    const Cp932EncodeResult encoded = EncodeCp932(text);
    if (!encoded.bytes)
        return UnencodableFailure(passwords, encoded);

    const QFileInfo target(path);
    if (target.exists() && !target.isFile() && !target.isDir())
        return WriteInPlace(path, *encoded.bytes);
    return WriteReplacing(path, *encoded.bytes);
}

QString SaveErrorText(const WriteOutcome& outcome) {
    return QStringLiteral("エラー番号 = ") + QString::number(outcome.number) + u'\r' +
           outcome.description;
}
