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
    if (classes & EachClassRule::Symbols)
        names << Cli::tr("symbols");
    return names.join(QStringLiteral(", "));
}

// The options that set a minimum for these classes.
QString MinimumOptions(quint8 classes) {
    using namespace CliOptionNames;
    QStringList names;
    const std::pair<quint8, const QStringList*> options[] = {{EachClassRule::Digits, &kMinDigits},
                                                             {EachClassRule::Upper, &kMinUpper},
                                                             {EachClassRule::Lower, &kMinLower},
                                                             {EachClassRule::Symbols, &kMinSymbols},
                                                             {EachClassRule::Extra, &kMinExtra}};
    for (const auto& [bit, option] : options) {
        if (classes & bit)
            names << Dashed(*option);
    }
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
QString RefusalText(const RunRefusal& refusal, const CliOptions& options) {
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
    case RunRule::SiteMinLength:
        return Cli::tr("--length must be at least %1, the minlength of --rules").arg(refusal.value);
    case RunRule::SiteMaxLength:
        return Cli::tr("--length must be at most %1, the maxlength of --rules").arg(refusal.value);
    case RunRule::SiteRequiredLeft: {
        const size_t index = size_t(refusal.value);
        const QString part = options.siteRules && index < options.siteRules->requiredParts.size()
                                 ? options.siteRules->requiredParts[index]
                                 : QString();
        return Cli::tr("--rules: no character of '%1' is left").arg(part);
    }
    case RunRule::MinimumLeft:
        return Cli::tr("%1: no character of the class is left (%2)")
            .arg(MinimumOptions(quint8(refusal.value)), ClassNames(quint8(refusal.value)));
    case RunRule::MinimumsLength:
        return Cli::tr("the minimums (%1 characters in all) do not fit in --length %2")
            .arg(refusal.value)
            .arg(options.length);
    case RunRule::MaxRunUnmeetable:
        return Cli::tr("--max-run %1: no password of --length %2 keeps every run that short")
            .arg(refusal.value)
            .arg(options.length);
    case RunRule::FirstUnmeetable:
        return Cli::tr("--first: no character left may stand first");
    case RunRule::RulesTooComplex:
        return Cli::tr("the rules need %1 counting states at --length %2; choose a shorter "
                       "--length or smaller minimums")
            .arg(refusal.value)
            .arg(options.length);
    case RunRule::UniqueCount:
        return Cli::tr("--unique: only %1 distinct passwords exist; choose a --count of at most "
                       "that")
            .arg(refusal.value);
    case RunRule::AnyCharacterLeft:
        return Cli::tr("the options leave no character to draw from");
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
    request.minimums = options.minimums;
    request.maxRun = options.maxRun;
    request.first = options.first;
    request.siteRules = options.siteRules;
    request.unique = options.unique;
    RunPlanOutcome outcome = PlanRun(request);
    if (const auto* refusal = std::get_if<RunRefusal>(&outcome))
        return RefusalText(*refusal, options);
    RunPlan& run = std::get<RunPlan>(outcome);

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
        // The figure comes first and alone, so a script reads it under every locale.
        err << Cli::tr("%1 bits").arg(EntropyFigure(run.entropyBits)) << '\n';
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
    RunDraw draw(run);
    for (qint32 made = 0; made < options.count; ++made) {
        const QString password = draw.next(source, stopRequested);
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
