// Handing out 100,000 passwords: accounts numbered and read back, passwords drawn and paired,
// the list written as xlsx and csv through the file writer; and the cost of one hash per scheme.
// Prints a table, never fails.
#include "AccountList.h"
#include "CharacterPool.h"
#include "HandoutFile.h"
#include "HandoutFormat.h"
#include "PasswordGenerator.h"
#include "PasswordHasher.h"
#include "RandomSource.h"

#include <QFile>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>

namespace {

// Wall time: writing a file waits for the disk, which is part of the cost.
double Seconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void Row(const char* step, double seconds, const char* note = "") {
    std::printf("%-52s %10.3f s  %s\n", step, seconds, note);
}

} // namespace

int main() {
    constexpr qint64 kAccounts = 100'000;
    constexpr qint32 kLength = 16;
    QTemporaryDir dir;
    std::printf("%-52s %12s\n", "step (100,000 accounts, 16 characters)", "wall time");

    double start = Seconds();
    const QStringList numbered = NumberedAccounts(QStringLiteral("user"), 1, 6, kAccounts);
    Row("number the accounts (user000001...)", Seconds() - start);

    const QString listPath = dir.filePath("accounts.txt");
    {
        QFile file(listPath);
        if (file.open(QIODevice::WriteOnly))
            file.write(numbered.join(QStringLiteral("\r\n")).toUtf8());
    }
    start = Seconds();
    const AccountsOutcome read = ReadAccounts(listPath, {});
    const QStringList accounts =
        std::holds_alternative<AccountList>(read) ? std::get<AccountList>(read).names : numbered;
    Row("read them back from a file (duplicates checked)", Seconds() - start);

    GenerationOptions options;
    options.digits = options.upper = options.lower = true;
    const CharacterPool pool = BuildCharacterPool(options);
    start = Seconds();
    QStringList passwords;
    passwords.reserve(kAccounts);
    for (qint64 i = 0; i < kAccounts; ++i)
        passwords << GeneratePassword(pool, kLength, ProcessRandomSource(), [] { return false; });
    Row("draw the passwords", Seconds() - start);

    start = Seconds();
    const QList<HandoutRow> rows = PairPasswords(accounts, passwords);
    Row("pair them", Seconds() - start);

    for (const HandoutFormat format : {HandoutFormat::Xlsx, HandoutFormat::Csv}) {
        const QString path = dir.filePath(QStringLiteral("list.") + HandoutFormatName(format));
        start = Seconds();
        const WriteOutcome written = WriteHandoutFile(path, format, {true, false}, rows);
        const QByteArray label = "write as " + HandoutFormatName(format).toLatin1() + " (" +
                                 QByteArray::number(QFile(path).size() / 1024) + " KiB)";
        Row(label.constData(), Seconds() - start, written.ok() ? "" : "FAILED");
    }

    std::printf("\n%-52s %12s\n", "hash, per password (default cost)", "wall time");
    for (const HashScheme scheme : {HashScheme::Yescrypt, HashScheme::Sha512Crypt}) {
        PasswordHasher hasher(scheme);
        constexpr int kHashes = 20;
        start = Seconds();
        int made = 0;
        for (int i = 0; i < kHashes; ++i)
            made += hasher.hash(passwords[i]).has_value() ? 1 : 0;
        const double each = (Seconds() - start) / kHashes;
        const QByteArray label = HashSchemeName(scheme).toLatin1();
        char note[96];
        std::snprintf(note, sizeof note, "(%d of %d made; 100,000 would take %.0f s on one core)",
                      made, kHashes, each * kAccounts);
        Row(label.constData(), each, note);
    }
    return 0;
}
