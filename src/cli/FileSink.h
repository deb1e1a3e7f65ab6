#pragma once

#include "FileEncoding.h"
#include "LineFileStream.h"
#include "PasswordSink.h"

#include <QString>

// keymill-cli's line for a file that could not be written (without the "keymill-cli: " before it).
QString CannotWriteText(const QString& path, int errorNumber);

// --output: the passwords go through the writer the window saves with, so the file is the one
// the window saves (CR LF, code page 932 or UTF-8, a new file private to its owner, the old file
// kept until the last password is out). Its outcomes become keymill-cli's message lines.
class FileSink : public PasswordSink {
public:
    FileSink(QString path, FileEncoding encoding);

    bool open() override;
    bool append(QStringView password) override;
    bool commit() override;
    void abort() override { stream_.abort(); }
    QString errorText() const override { return error_; }

private:
    bool check(const WriteOutcome& outcome);

    QString path_;
    FileEncoding encoding_;
    LineFileStream stream_;
    QString error_;
};
