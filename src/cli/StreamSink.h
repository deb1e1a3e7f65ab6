#pragma once

#include "PasswordSink.h"

#include <QByteArray>
#include <QStringEncoder>

// Passwords in UTF-8, one a line ending in LF, written to a file descriptor (standard output).
// A reader that closes the pipe early (| head -1) ends the run quietly; any other failed write
// is an error.
class StreamSink : public PasswordSink {
public:
    explicit StreamSink(int fd, QString name);

    bool open() override { return true; }
    bool append(QStringView password) override;
    // Text as it is, no line end added (the help and version texts end with their own).
    bool write(QStringView text);
    bool commit() override;
    void abort() override {}
    QString errorText() const override { return error_; }

private:
    bool flush();

    int fd_;
    QString name_;
    QByteArray buffer_;
    qsizetype used_ = 0;
    QStringEncoder encoder_{QStringEncoder::Utf8};
    QString error_;
};
