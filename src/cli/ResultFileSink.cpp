#include "ResultFileSink.h"

#include "CliText.h"
#include "SystemErrorText.h"

#include <cerrno>

ResultFileSink::ResultFileSink(QString path, OutputEncoding encoding)
    : path_(std::move(path)), encoding_(encoding) {}

bool ResultFileSink::open() {
    return check(stream_.open(path_, encoding_ == OutputEncoding::Utf8
                                         ? ResultFileEncoding::Utf8
                                         : ResultFileEncoding::Cp932));
}

bool ResultFileSink::append(QStringView password) {
    return check(stream_.append(password));
}

bool ResultFileSink::commit() {
    return check(stream_.commit());
}

bool ResultFileSink::check(const WriteOutcome& outcome) {
    if (outcome.ok())
        return true;
    if (outcome.number == EILSEQ && !outcome.refused.isEmpty()) {
        const QString character = CodePointName(outcome.refused);
        error_ = encoding_ == OutputEncoding::Cp932
                     ? Cli::tr("code page 932 cannot hold '%1' (%2); use --encoding utf-8")
                           .arg(outcome.refused, character)
                     : Cli::tr("UTF-8 cannot hold %1").arg(character);
    } else {
        error_ = Cli::tr("cannot write '%1': %2").arg(path_, SystemErrorText(outcome.number));
    }
    return false;
}
