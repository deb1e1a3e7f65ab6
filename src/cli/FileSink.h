#pragma once

#include "CliOptions.h"
#include "PasswordSink.h"

#include <QByteArray>
#include <QString>

// The window's save format: one password a line ending in CR LF, in code page 932 (refusing a
// character it cannot hold) or UTF-8. The file is written whole or not at all: the passwords go
// to a new file beside the target (mode 0600, or the old file's mode when one is replaced),
// which is renamed over the target on commit and removed on abort, so an old file stays as it
// was until the last password is out. A device or a pipe (/dev/null, a FIFO) is written in
// place.
//
// Kept behind PasswordSink so that the window's streaming result file can take its place.
class FileSink : public PasswordSink {
public:
    FileSink(QString path, OutputEncoding encoding);
    ~FileSink() override;

    bool open() override;
    bool append(QStringView password) override;
    bool commit() override;
    void abort() override;
    QString errorText() const override { return error_; }

private:
    bool flush();
    bool fail(int number);

    QString path_;
    OutputEncoding encoding_;
    QByteArray temporaryPath_; // empty when writing in place
    int fd_ = -1;
    QByteArray buffer_;
    QString error_;
};
