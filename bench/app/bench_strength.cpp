// Times the strength label: how long the window takes to answer one change of an option or of
// the length with a new figure, for an extra text of 100,000 characters (the longest a user is
// likely to paste) of a few kinds. The window is real (offscreen); each change goes through the
// same handlers a user's change does.
#include "MainWindow.h"
#include "RunPlan.h"
#include "WindowFixture.h"
#include "WindowFont.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

QString Text(int kind) {
    QString text;
    text.reserve(200000);
    for (int i = 0; i < 100000; ++i) {
        if (kind == 0) {
            text += QChar(char16_t(u'!' + i % 90));
        } else if (kind == 1) {
            text += QChar(char16_t(0x4E00 + i % 20000));
        } else {
            const char32_t c = 0x1F300 + char32_t(i % 500);
            text += QString::fromUcs4(&c, 1);
        }
    }
    return text;
}

// Milliseconds per change, the median of a few.
double Time(const std::function<void(int)>& change) {
    std::vector<double> ms;
    for (int i = 0; i < 7; ++i) {
        QElapsedTimer clock;
        clock.start();
        change(i);
        ms.push_back(clock.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir dir;
    MainWindow window(nullptr, dir.path());
    auto* length = Part<QLineEdit>(window, "lengthBox");
    auto* extraText = Part<QLineEdit>(window, "extraText");
    auto* eachClass = Part<QCheckBox>(window, "eachClassBox");
    auto* noSimilar = Part<QCheckBox>(window, "noLookAlikesBox");
    length->setText(QStringLiteral("16"));
    Part<QCheckBox>(window, "extraBox")->setChecked(true);
    std::printf("%-30s %10s %10s %10s %12s\n", "extra text of 100,000", "length", "each-class",
                "no-similar", "plan alone");
    const char* const kinds[] = {"ASCII symbols", "ideographs (20,000 kinds)", "emoji (500 kinds)"};
    for (int kind = 0; kind < 3; ++kind) {
        extraText->setText(Text(kind));
        eachClass->setChecked(false);
        noSimilar->setChecked(false);
        const double lengthMs = Time([&](int i) { length->setText(QString::number(16 + i)); });
        const double eachClassMs = Time([&](int) { eachClass->toggle(); });
        const double noSimilarMs = Time([&](int) { noSimilar->toggle(); });
        // The figure itself, without the window's other handlers: three classes, the text,
        // each-class and no look-alikes on.
        RunRequest request;
        request.characters.digits = request.characters.upper = request.characters.lower =
            request.characters.extra = true;
        request.characters.extraText = Text(kind);
        request.eachClass = request.noSimilar = true;
        request.length = 16;
        const double plan = Time([&](int) { (void)PlanRun(request); });
        std::printf("%-30s %7.1f ms %7.1f ms %7.1f ms %9.1f ms   (%s)\n", kinds[kind], lengthMs,
                    eachClassMs, noSimilarMs, plan,
                    qPrintable(Part<QLabel>(window, "strengthLabel")->text()));
    }
    return 0;
}
