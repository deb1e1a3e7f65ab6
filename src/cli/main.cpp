// keymill-cli: the password generator of キーミル for scripts; no display needed.
#include "CliMain.h"
#include "RandomSource.h"

#include <QCoreApplication>

int main(int argc, char** argv) {
    InitKeystreamLibrary();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("keymill-cli"));
    return KeymillCliMain(QCoreApplication::arguments());
}
