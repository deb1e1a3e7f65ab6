#pragma once

#include <QByteArray>

// The named temporary files that exist at this moment (".keymill-XXXXXX", made where the file
// system cannot make a file without a name), so that a signal that ends the process removes them
// first: no part of a file being written is left behind, whatever signal ends the program. SIGKILL
// and SIGSTOP cannot be caught; nothing can be done for them.
namespace TemporaryFiles {

// Called with every signal held (see FileTarget), right after the file was made and right after
// it was renamed or removed.
void add(const QByteArray& path);
void remove(const QByteArray& path);

// Installs, for every signal whose default action ends the process (HUP, INT, QUIT, TERM, USR1,
// USR2, ALRM, PIPE, XCPU, XFSZ, VTALRM, PROF), a handler that removes the files and then ends the
// process by the same signal, as it would have ended without it. A signal that is ignored or
// already handled when this is called is left as it is: install after the program has chosen to
// ignore some (SIGPIPE, SIGXFSZ) or to handle some itself (its own handler may end the process by
// endBySignal). Called once at start-up.
void installSignalCleanup();

// For a program's own signal handler that ends the process: removes the files, then ends the
// process by `number` with its default action. Async-signal-safe; does not return.
[[noreturn]] void endBySignal(int number);

} // namespace TemporaryFiles
