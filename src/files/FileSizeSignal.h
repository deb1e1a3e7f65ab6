#pragma once

// Makes a write past the file-size limit (ulimit -f) fail with EFBIG, which the program reports,
// instead of ending the process with SIGXFSZ. Called once at start-up by each program that writes
// files, before any thread starts.
void IgnoreFileSizeSignal();
