#include "SlipsSink.h"

#include "CliText.h"
#include "FileSink.h"
#include "SlipPainter.h"

#include <QGuiApplication>

SlipsSink::SlipsSink(PasswordSink& inner, QString path, SlipSettings settings, QStringList accounts)
    : m_inner(inner), m_path(std::move(path)), m_settings(std::move(settings)),
      m_accounts(std::move(accounts)) {}

bool SlipsSink::open() {
    // Fonts come from the font database, which only a QGuiApplication has.
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        m_error = Cli::tr("cannot write '%1': no fonts without a QGuiApplication").arg(m_path);
        return false;
    }
    // A file that cannot be written is found before any password is made.
    return check(m_target.open(m_path)) && m_inner.open();
}

bool SlipsSink::append(QStringView password) {
    m_passwords.append(password.toString());
    return m_inner.append(password);
}

bool SlipsSink::commit() {
    const QByteArray pdf = SlipsPdf(m_settings, SlipEntries(m_accounts, m_passwords));
    if (pdf.isEmpty()) {
        m_error = Cli::tr("cannot paint the slips into '%1'").arg(m_path);
        return false;
    }
    if (!check(m_target.write(pdf)))
        return false;
    if (!m_inner.commit())
        return false;
    return check(m_target.commit());
}

void SlipsSink::abort() {
    m_target.abort();
    m_inner.abort();
}

QString SlipsSink::errorText() const {
    return m_error.isEmpty() ? m_inner.errorText() : m_error;
}

bool SlipsSink::check(const WriteOutcome& outcome) {
    if (outcome.ok())
        return true;
    m_error = CannotWriteText(m_path, outcome.number);
    return false;
}
