#include "AccountsInput.h"

QString AccountErrorText(const AccountError& error) {
    switch (error.problem) {
    case AccountProblem::CannotRead:
        return QStringLiteral("ファイルを読めません。\nエラー番号 = %1").arg(error.number);
    case AccountProblem::NotText:
        return QStringLiteral("%1 行目が文字として読めません。").arg(error.line);
    case AccountProblem::OpenQuote:
        return QStringLiteral("%1 行目で始まる \" が閉じていません。").arg(error.line);
    case AccountProblem::MissingColumn:
        return QStringLiteral("%1 行目に %2 列目がありません。").arg(error.line).arg(error.column);
    case AccountProblem::ControlCharacter:
        return QStringLiteral("%1 行目のアカウント「%2」に制御文字があります。")
            .arg(error.line)
            .arg(error.name);
    case AccountProblem::Duplicate:
        return QStringLiteral("%1 行目のアカウント「%2」は %3 行目と重複しています。")
            .arg(error.line)
            .arg(error.name)
            .arg(error.firstLine);
    case AccountProblem::NoAccounts:
        break;
    }
    return QStringLiteral("アカウントがありません。");
}

QStringList PastedAccounts(const QString& text, QString& problem) {
    const AccountsOutcome outcome = ParseAccounts(text, false, {});
    if (const auto* error = std::get_if<AccountError>(&outcome)) {
        problem = AccountErrorText(*error);
        return {};
    }
    return std::get<AccountList>(outcome).names;
}

QStringList FileAccounts(const QStringList& read, QString& problem) {
    if (read.isEmpty())
        problem = QStringLiteral("アカウントのファイルを開いてください。");
    return read;
}
