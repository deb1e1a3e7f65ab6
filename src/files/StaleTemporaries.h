#pragma once

#include <QByteArray>
#include <ctime>

// A save that was killed between giving its finished temporary file a name and renaming it over
// the target leaves that file, ".keymill-" and six letters or digits, beside the target: a whole
// list of passwords nobody will look for. Before a file is written, such leftovers of this user
// in the same directory that have not changed for a minute are removed. A younger one may belong
// to a save of another copy of the program that is still running, so it stays; so does anything
// that is not a regular file of this user, and every other name.
inline constexpr time_t kStaleTemporarySeconds = 60;

// Removes the leftovers in `directory` last changed before `now` less a minute; returns how
// many went.
int RemoveStaleTemporaries(const QByteArray& directory, time_t now = std::time(nullptr));
