#include "CliRun.h"

#include "CliText.h"
#include "CodePointName.h"
#include "Cp932Codec.h"
#include "PasswordLimits.h"

#include <QStringList>

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
        if (pool.entryText(i) != pool.entryText(0))
            return false;
    }
    return !pool.isEmpty();
}

// The refusal of the run plan in keymill-cli's words.
QString RefusalText(const RunRefusal& refusal) {
    switch (refusal.rule) {
    case RunRule::LengthDigitsOnly: // the window's boxes only; the parser reads the numbers
    case RunRule::LengthNotZero:
    case RunRule::LengthInRange:
        return Cli::tr("--length must be 1..%1").arg(kMaxPasswordLength);
    case RunRule::CountDigitsOnly:
    case RunRule::CountNotZero:
    case RunRule::CountInRange:
        return Cli::tr("--count must be 1..%1").arg(kMaxPasswordCount);
    case RunRule::EachClassLeft:
        return Cli::tr("--each-class: no character of a chosen class is left (%1)")
            .arg(ClassNames(quint8(refusal.value)));
    case RunRule::EachClassLength:
        return Cli::tr("--each-class needs --length of at least %1, one per class")
            .arg(refusal.value);
    case RunRule::EachClassTooRare:
        return Cli::tr("--each-class: only 1 password in %1 meets the rule; choose a longer "
                       "--length or fewer classes")
            .arg(refusal.value);
    }
    return QString();
}

} // namespace

std::variant<RunPlan, QString> PrepareRun(const CliOptions& options) {
    RunRequest request;
    request.characters = options.generation;
    request.noSimilar = options.noSimilar;
    request.eachClass = options.eachClass;
    request.length = options.length;
    request.count = options.count;
    RunPlanOutcome outcome = PlanRun(request);
    if (const auto* refusal = std::get_if<RunRefusal>(&outcome))
        return RefusalText(*refusal);
    RunPlan& run = std::get<RunPlan>(outcome);
    if (run.pool.isEmpty())
        return Cli::tr("the options leave no character to draw from");

    if (!options.outputFile.isEmpty() && options.encoding == FileEncoding::Cp932) {
        const Cp932EncodeResult encoded = EncodeCp932(run.pool.toString());
        if (!encoded.bytes)
            return Cli::tr("--output: code page 932 cannot hold '%1' (%2); use --encoding utf-8")
                .arg(encoded.badCharacter, CodePointName(encoded.badCharacter));
    }
    return std::move(run);
}

int RunCli(const CliOptions& options, PasswordSink& sink, QTextStream& err, RandomSource& source,
           const std::atomic<bool>& stop) {
    auto prepared = PrepareRun(options);
    if (const QString* error = std::get_if<QString>(&prepared)) {
        PrintLine(err, *error);
        return kExitUsage;
    }
    const RunPlan& run = std::get<RunPlan>(prepared);

    if (OneDistinctCharacter(run.pool)) {
        const QString character = run.pool.entryText(0);
        PrintLine(err, Cli::tr("warning: the only character to draw from is '%1' (%2); every "
                               "password is the same")
                           .arg(character, CodePointName(character)));
    }
    if (options.printEntropy) {
        // A unit, not a sentence: scripts read it the same under every locale.
        err << EntropyFigure(run.entropyBits) << " bits\n";
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
