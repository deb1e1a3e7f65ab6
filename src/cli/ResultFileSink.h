#pragma once

#include "CliOptions.h"
#include "PasswordSink.h"
#include "ResultFileStream.h"

#include <QString>

// --output: the passwords go through the window's result file writer, so the file is the one
// the window saves (CR LF, code page 932 or UTF-8, a new file private to its owner, the old
// file kept until the last password is out). Its outcomes become keymill-cli's message lines.
class ResultFileSink : public PasswordSink {
public:
    ResultFileSink(QString path, OutputEncoding encoding);

    bool open() override;
    bool append(QStringView password) override;
    bool commit() override;
    void abort() override { stream_.abort(); }
    QString errorText() const override { return error_; }

private:
    bool check(const WriteOutcome& outcome);

    QString path_;
    OutputEncoding encoding_;
    ResultFileStream stream_;
    QString error_;
};
