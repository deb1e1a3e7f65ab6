#pragma once

// The run of keymill-cli once its arguments are read: the options checked against the pool they
// give, the entropy line when asked, then the passwords streamed into a sink one by one, in
// memory that does not grow with the count. Nothing here reads arguments or files. A run ends with
// an exit status and at most a few "keymill-cli: ..." lines on the error stream it is given:
//   0    every password is out (a reader that closed the pipe early counts as done)
//   1    a password or the entropy line could not be written; the sink is aborted
//   2    the options cannot make what they ask for; nothing is written
//   130  the stop flag turned true; the sink is aborted (the caller reports 128 + the signal)
// A pool of one distinct character runs, with a warning line: every password is the same.

#include "CharacterPool.h"
#include "CliOptions.h"
#include "EachClass.h"
#include "PasswordSink.h"
#include "RandomSource.h"
#include "RunPlan.h"

#include <QTextStream>
#include <atomic>
#include <variant>

// Plans the run (look-alikes, each-class and the bounds as the window checks them), then
// checks what only keymill-cli refuses: no character at all, a pool the output file's code
// page cannot hold. Otherwise the one-line usage error.
std::variant<RunPlan, QString> PrepareRun(const CliOptions& options);

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
