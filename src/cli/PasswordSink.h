#pragma once

#include <QString>
#include <QStringView>

// Where the passwords of a run go, one after another, as they are drawn; nothing is held
// beyond a buffer, so any count takes the same memory. A file sink makes its file appear only
// on commit (except a file that must be written in place, see FileTarget).
class PasswordSink {
public:
    virtual ~PasswordSink() = default;

    virtual bool open() = 0;
    virtual bool append(QStringView password) = 0;
    // Every password is out: flush, and put the file in place.
    virtual bool commit() = 0;
    // The run ends early or failed: whatever was written goes, an old file stays as it was.
    virtual void abort() = 0;
    // After a failed call: the line for standard error, or the empty text when the failure
    // is to pass quietly (the reader of a pipe has gone).
    virtual QString errorText() const = 0;
};
