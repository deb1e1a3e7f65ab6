#include "ResultListMemory.h"
#include "Sanitized.h"

#include <QStringList>
#include <QTest>
#include <algorithm>
#include <sys/resource.h>

namespace {

constexpr int kPasswords = 300;
constexpr qsizetype kLength = 99'999;

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// A list as a run leaves it: every password a text of its own, every character written.
QStringList fillList() {
    QStringList list;
    for (int i = 0; i < kPasswords; ++i) {
        QString password(kLength, Qt::Uninitialized);
        std::fill(password.data(), password.data() + kLength, QChar(u'A' + i % 26));
        list.append(password);
    }
    return list;
}

} // namespace

class ResultListMemoryTest : public QObject {
    Q_OBJECT

private slots:
    void theNextListReusesTheFreedPages();
};

// 300 passwords of 99,999 characters are 60 MB, about 15,000 fresh pages. Once a list has been
// freed, the next one of the same size must find its pages already there.
void ResultListMemoryTest::theNextListReusesTheFreedPages() {
    SKIP_WHEN_SANITIZED();
    const quint64 bytes = quint64(kPasswords) * quint64(kLength + 16) * 2;
    PrepareListMemory(bytes);
    fillList(); // the first run, freed at once as the next run frees it
    PrepareListMemory(bytes);
    const long before = minorFaults();
    const QStringList second = fillList();
    const long faults = minorFaults() - before;
    QCOMPARE(second.size(), kPasswords);
    QVERIFY2(faults < 1'500, qPrintable(QStringLiteral("%1 page faults").arg(faults)));
}

QTEST_APPLESS_MAIN(ResultListMemoryTest)
#include "tst_ResultListMemory.moc"
