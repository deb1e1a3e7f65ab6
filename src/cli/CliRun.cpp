#include "CliRun.h"

#include "CliText.h"
#include "CodePointName.h"
#include "Cp932Codec.h"
#include "Entropy.h"
#include "LookAlikes.h"

#include <QStringList>
#include <algorithm>
#include <cmath>

namespace {

QString ClassNames(quint8 classes) {
    QStringList names;
    if (classes & EachClassRule::Digits)
        names << Cli::tr("digits");
    if (classes & EachClassRule::Upper)
        names << Cli::tr("upper-case letters");
    if (classes & EachClassRule::Lower)
        names << Cli::tr("lower-case letters");
    if (classes & EachClassRule::Extra)
        names << Cli::tr("extra characters");
    return names.join(QStringLiteral(", "));
}

void PrintLine(QTextStream& err, const QString& text) {
    err << "keymill-cli: " << text << '\n';
    err.flush();
}

// A pool of one distinct character (however many entries) makes every password the same.
bool OneDistinctCharacter(const CharacterPool& pool) {
    for (qsizetype i = 1; i < pool.size(); ++i) {
        if (pool.at(i) != pool.at(0))
            return false;
    }
    return !pool.isEmpty();
}

} // namespace

std::variant<PreparedRun, QString> PrepareRun(const CliOptions& options) {
    PreparedRun run{BuildCharacterPool(options.generation), EachClassRule()};
    if (options.noSimilar)
        RemoveLookAlikes(run.pool);
    if (run.pool.isEmpty())
        return Cli::tr("the options leave no character to draw from");

    if (!options.outputFile.isEmpty() && options.encoding == FileEncoding::Cp932) {
        const Cp932EncodeResult encoded = EncodeCp932(run.pool.toString());
        if (!encoded.bytes)
            return Cli::tr("--output: code page 932 cannot hold '%1' (%2); use --encoding utf-8")
                .arg(encoded.badCharacter, CodePointName(encoded.badCharacter));
    }

    if (options.eachClass) {
        run.rule = EachClassRule(options.generation);
        if (const quint8 missing = run.rule.classesMissingFrom(run.pool))
            return Cli::tr("--each-class: no character of a chosen class is left (%1)")
                .arg(ClassNames(missing));
        if (options.length < run.rule.classCount())
            return Cli::tr("--each-class needs --length of at least %1, one per class")
                .arg(run.rule.classCount());
        const double acceptance = EachClassAcceptance(run.pool, run.rule, options.length);
        if (acceptance < kMinEachClassAcceptance)
            return Cli::tr("--each-class: only 1 password in %1 meets the rule; choose a longer "
                           "--length or fewer classes")
                .arg(qint64(std::llround(std::min(1 / acceptance, 1e18))));
    }
    return run;
}

int RunCli(const CliOptions& options, PasswordSink& sink, QTextStream& err, RandomSource& source,
           const std::atomic<bool>& stop) {
    auto prepared = PrepareRun(options);
    if (const QString* error = std::get_if<QString>(&prepared)) {
        PrintLine(err, *error);
        return kExitUsage;
    }
    const PreparedRun& run = std::get<PreparedRun>(prepared);

    if (OneDistinctCharacter(run.pool)) {
        const char32_t only = run.pool.at(0);
        const QString character = QString::fromUcs4(&only, 1);
        PrintLine(err, Cli::tr("warning: the only character to draw from is '%1' (%2); every "
                               "password is the same")
                           .arg(character, CodePointName(character)));
    }
    if (options.printEntropy) {
        const double bits = PasswordEntropyBits(run.pool, options.length, run.rule);
        // A unit, not a sentence: scripts read it the same under every locale.
        err << QString::number(bits, 'f', 1) << " bits\n";
        err.flush();
        if (err.status() != QTextStream::Ok)
            return kExitOutputFailure; // asked for and lost: the run would be a false success
    }

    const auto failed = [&] {
        sink.abort();
        if (const QString text = sink.errorText(); !text.isEmpty()) {
            PrintLine(err, text);
            return kExitOutputFailure;
        }
        return kExitSuccess; // the reader has gone: nothing more is wanted
    };
    if (!sink.open())
        return failed();

    const auto stopRequested = [&stop] { return stop.load(std::memory_order_relaxed); };
    const bool eachClass = run.rule.requiredClasses() != 0;
    for (qint32 made = 0; made < options.count; ++made) {
        const QString password =
            eachClass ? GenerateEachClassPassword(run.pool, run.rule, options.length, source,
                                                  stopRequested)
                      : GeneratePassword(run.pool, options.length, source, stopRequested);
        if (stopRequested()) {
            sink.abort();
            return kExitInterrupted;
        }
        if (!sink.append(password))
            return failed();
    }
    if (!sink.commit())
        return failed();
    return kExitSuccess;
}
