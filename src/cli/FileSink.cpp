#include "FileSink.h"

#include "CliText.h"
#include "CodePointName.h"
#include "ErrnoText.h"

#include <cerrno>

QString CannotWriteText(const QString& path, int errorNumber) {
    return Cli::tr("cannot write '%1': %2").arg(path, ErrnoText(errorNumber));
}

FileSink::FileSink(QString path, FileEncoding encoding)
    : path_(std::move(path)), encoding_(encoding) {}

bool FileSink::open() {
    return check(stream_.open(path_, encoding_));
}

bool FileSink::append(QStringView password) {
    return check(stream_.append(password));
}

bool FileSink::commit() {
    return check(stream_.commit());
}

bool FileSink::check(const WriteOutcome& outcome) {
    if (outcome.ok())
        return true;
    if (outcome.number == EILSEQ && !outcome.refused.isEmpty()) {
        const QString character = CodePointName(outcome.refused);
        error_ = encoding_ == FileEncoding::Cp932
                     ? Cli::tr("code page 932 cannot hold '%1' (%2); use --encoding utf-8")
                           .arg(outcome.refused, character)
                     : Cli::tr("UTF-8 cannot hold %1").arg(character);
    } else {
        error_ = CannotWriteText(path_, outcome.number);
    }
    return false;
}
