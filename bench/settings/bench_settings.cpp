// Start and close of the program with a very large keymill.ini (a foreign section of a million
// lines between "Position" and "Add"): one reading at start, one reading and one writing at
// close. Prints a table; never fails.
#include "IniFile.h"
#include "SettingsRules.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>

namespace {
QByteArray LargeFile(int foreignLines) {
    QByteArray bytes("[Position]\r\nLeft=1500\r\nTop=1500\r\nWidth=9000\r\nHeight=6000\r\n"
                     "[Other]\r\n");
    bytes.reserve(qsizetype(foreignLines) * 52);
    for (int i = 0; i < foreignLines; ++i)
        bytes += "Key" + QByteArray::number(i) + "=\x83\x5C\x95\x5C value text of a line\r\n";
    bytes += "[Add]\r\nSuji=1\r\nAlhabetBig=1\r\nAlphabetMini=1\r\nAddChr=1\r\n"
             "AddChrList=\x83\x5C\x95\x5C\r\nDeleteChr=0\r\nDeleteChrList=\r\n";
    return bytes;
}

double Milliseconds(const QElapsedTimer& timer) {
    return double(timer.nsecsElapsed()) / 1e6;
}
} // namespace

int main() {
    QTemporaryDir dir;
    const QString file = dir.filePath("keymill.ini");
    std::printf("%-12s %10s %12s %12s\n", "lines", "MB", "start ms", "close ms");
    for (int lines : {10'000, 100'000, 1'400'000}) {
        const QByteArray bytes = LargeFile(lines);
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return 0;
        out.close();

        QElapsedTimer timer;
        timer.start();
        const StoredSettings loaded =
            LoadStoredSettings(ReadIniDocument(file).value_or(IniDocument()), 1'000'000, 1'000'000);
        const double start = Milliseconds(timer);

        StoredSettings closing = loaded;
        closing.digits = !closing.digits; // one change, so the file is written
        timer.restart();
        IniDocument ini = ReadIniDocument(file).value_or(IniDocument());
        StoreSettings(ini, closing);
        WriteIniDocument(ini, file);
        const double close = Milliseconds(timer);
        std::printf("%-12d %10.1f %12.1f %12.1f\n", lines, double(bytes.size()) / 1e6, start,
                    close);
    }
    return 0;
}
