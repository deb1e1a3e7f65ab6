#pragma once

#include "WriteOutcome.h"

#include <QString>

// The error box's text for a failed save: "エラー番号 = <number>\r<description>". A refused
// character is named with its row and code point; an error number reads as the Japanese text of
// the shared table, or with the C library's wording when the table lacks it.
QString SaveErrorText(const WriteOutcome& outcome);
