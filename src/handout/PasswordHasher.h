#pragma once

#include <QString>
#include <QStringView>
#include <memory>
#include <optional>

// Hashes for the system that receives the passwords (chpasswd -e, newusers, a directory import),
// through libcrypt: yescrypt ("$y$", Debian's default for /etc/shadow) or SHA-512 crypt ("$6$"),
// each at libcrypt's default cost. Every hash gets a fresh salt that libcrypt draws from the
// system's random source, so two equal passwords never share a hash. The password is hashed as
// its UTF-8 bytes.
enum class HashScheme { Yescrypt, Sha512Crypt };

std::optional<HashScheme> HashSchemeNamed(QStringView name);
QString HashSchemeName(HashScheme scheme); // "yescrypt", "sha512crypt"

class PasswordHasher {
public:
    explicit PasswordHasher(HashScheme scheme);
    ~PasswordHasher();
    PasswordHasher(const PasswordHasher&) = delete;
    PasswordHasher& operator=(const PasswordHasher&) = delete;

    // The hash, or nothing when libcrypt fails (errorNumber() then holds its errno).
    std::optional<QString> hash(QStringView password);
    int errorNumber() const { return m_errorNumber; }

private:
    struct Work; // libcrypt's work area: 32 KB, kept between calls
    HashScheme m_scheme;
    std::unique_ptr<Work> m_work;
    int m_errorNumber = 0;
};
