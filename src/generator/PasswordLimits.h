#pragma once

#include <QtGlobal>

// The longest password any front end asks for: the window's length box holds five digits,
// and the command line takes the same bound.
inline constexpr qint32 kMaxPasswordLength = 99999;
