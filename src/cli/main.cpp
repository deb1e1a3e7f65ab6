// keymill-cli: the password generator of キーミル for scripts; no display needed.
#include "CliMain.h"
#include "RandomSource.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    InitKeystreamLibrary();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keymill-cli"));
    // QCoreApplication::arguments() would turn a byte that is not UTF-8 into U+FFFD, unseen.
    QByteArrayList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    return KeymillCliMain(arguments);
}
