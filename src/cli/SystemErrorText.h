#pragma once

#include <QString>

// The text of an errno value for a message line: the C library's English wording, in the
// user's language where keymill-cli ships a translation (the C library itself may have none
// installed). An errno outside the few that writing a file meets reads as strerror gives it.
QString SystemErrorText(int number);
