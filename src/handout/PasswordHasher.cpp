#include "PasswordHasher.h"

#include <crypt.h>

#include <cerrno>
#include <cstring>

struct PasswordHasher::Work {
    crypt_data data;
};

namespace {
const char* PrefixOf(HashScheme scheme) {
    return scheme == HashScheme::Yescrypt ? "$y$" : "$6$";
}
} // namespace

std::optional<HashScheme> HashSchemeNamed(QStringView name) {
    if (name.compare(u"yescrypt", Qt::CaseInsensitive) == 0)
        return HashScheme::Yescrypt;
    if (name.compare(u"sha512crypt", Qt::CaseInsensitive) == 0)
        return HashScheme::Sha512Crypt;
    return std::nullopt;
}

QString HashSchemeName(HashScheme scheme) {
    return scheme == HashScheme::Yescrypt ? QStringLiteral("yescrypt")
                                          : QStringLiteral("sha512crypt");
}

PasswordHasher::PasswordHasher(HashScheme scheme)
    : m_scheme(scheme), m_work(std::make_unique<Work>()) {
    std::memset(&m_work->data, 0, sizeof m_work->data);
}

PasswordHasher::~PasswordHasher() {
    // The work area held the password; leave nothing of it in freed memory.
    explicit_bzero(&m_work->data, sizeof m_work->data);
}

std::optional<QString> PasswordHasher::hash(QStringView password) {
    // No random bytes given: libcrypt takes them from the system (getrandom) for every salt.
    char setting[CRYPT_GENSALT_OUTPUT_SIZE];
    errno = 0;
    if (!crypt_gensalt_rn(PrefixOf(m_scheme), 0, nullptr, 0, setting, sizeof setting)) {
        m_errorNumber = errno != 0 ? errno : EINVAL;
        return std::nullopt;
    }
    QByteArray phrase = password.toUtf8();
    errno = 0;
    const char* hashed = crypt_rn(phrase.constData(), setting, &m_work->data, sizeof m_work->data);
    explicit_bzero(phrase.data(), phrase.size());
    // A failed call returns NULL, or a text starting with "*" on older libraries.
    if (!hashed || hashed[0] == '*') {
        m_errorNumber = errno != 0 ? errno : EINVAL;
        return std::nullopt;
    }
    return QString::fromLatin1(hashed);
}
