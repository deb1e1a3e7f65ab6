#pragma once

#include "RunPlan.h"

#include <QList>
#include <QString>

// What the window says about a run, in Japanese: the refusals the core answers with, put into
// the words of the window's error boxes and of its strength label.

// A refusal of the plan: starts with "Error:" and names the rule.
QString RunRefusalMessage(const RunRefusal& refusal);

// The rules the number boxes' texts break (CountTextRefusals), in one message; the empty text
// for none. A refused run always says why: a length and a count that break different rules get
// one line each.
QString CountRefusalMessage(const QList<RunRule>& broken);

// A run whose passwords would not fit in memory.
QString RunTooLargeMessage();

// What the strength label shows for the plan of one password: "強度 95.3 ビット",
// "使える文字がありません", the each-class rule that cannot be met, or nothing when the length is
// not one a run takes (an empty length box included).
QString StrengthLabelText(const RunPlanOutcome& outcome);

// "重複の可能性 39 %" for a chance above 1 in 1,000, otherwise nothing.
QString DuplicateChanceText(double chance);
