#pragma once

#include "RunPlan.h"

#include <QList>
#include <QString>

// Checks the texts of the window's length and count boxes before any plan is made. Answers the
// rules they break, in this order: the length holds a non-digit, the count holds a non-digit,
// the length is zero, the count is zero. No rule means both are valid; an empty text passes
// every test (the start command is disabled while a box is empty).
QList<RunRule> CountTextRefusals(const QString& length, const QString& count);
