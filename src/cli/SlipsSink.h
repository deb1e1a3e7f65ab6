#pragma once

#include "FileTarget.h"
#include "PasswordSink.h"
#include "SlipSettings.h"

#include <QStringList>

// --slips: passes every password on to the run's own sink and keeps it, and on commit paints the
// slips of the same passwords into a PDF file. The PDF goes through the program's file writer
// (a new file private to its owner, the old one kept until the new one is whole), and the two
// files are put in place together: the slips first written out, then the run's own output
// committed, then the slips committed.
class SlipsSink : public PasswordSink {
public:
    SlipsSink(PasswordSink& inner, QString path, SlipSettings settings, QStringList accounts);

    bool open() override;
    bool append(QStringView password) override;
    bool commit() override;
    void abort() override;
    QString errorText() const override;

private:
    bool check(const WriteOutcome& outcome);

    PasswordSink& m_inner;
    QString m_path;
    SlipSettings m_settings;
    QStringList m_accounts;
    QStringList m_passwords;
    FileTarget m_target;
    QString m_error;
};
