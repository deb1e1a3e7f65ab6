#pragma once
#include <QString>

// "0.50.1": the major number without leading zeros, the minor number with at least two
// digits, the revision number plain.
QString VersionText(int major, int minor, int revision);

// "キーミル Version 0.50.1".
QString VersionLine(int major, int minor, int revision);

// The version line of this build, from the version that CMake's project() declares.
QString ProgramVersionLine();
