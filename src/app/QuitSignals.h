#pragma once

// SIGTERM, SIGINT and SIGHUP end the program the normal way, settings saved. A signal handler
// may do almost nothing safely, so it only writes the signal's number to one end of a socket
// pair; the event loop watches the other end and does the work.
namespace QuitSignals {

// Installs the handlers once and answers the descriptor that becomes readable when a signal
// has arrived; -1 when the socket pair cannot be made (the signals then keep their default).
// A signal that was ignored when the program started (nohup, a background job) stays ignored.
int install();

// Empties the socket; answers the last signal number that arrived, 0 when none did.
int takePending();

// The default handlers back, the socket pair closed.
void uninstall();

} // namespace QuitSignals
