#pragma once

#include "CharacterPool.h"
#include "CliOptions.h"
#include "EachClass.h"
#include "PasswordSink.h"
#include "RandomSource.h"
#include "RunPlan.h"

#include <QTextStream>
#include <atomic>
#include <variant>

// The pool and rule a run draws from, once the options have been checked against them.
using PreparedRun = RunPlan;

// Plans the run (look-alikes, each-class and the bounds as the window checks them), then
// checks what only keymill-cli refuses: no character at all, a pool the output file's code
// page cannot hold. Otherwise the one-line usage error.
std::variant<PreparedRun, QString> PrepareRun(const CliOptions& options);

// Exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOutputFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitInterrupted = 130;

// Checks, prints the entropy when asked, and streams options.count passwords into sink.
// Errors go to err as "keymill-cli: ..." lines. stop is read after every character; when it
// turns true the sink is aborted and the run ends with kExitInterrupted.
int RunCli(const CliOptions& options, PasswordSink& sink, QTextStream& err, RandomSource& source,
           const std::atomic<bool>& stop);
