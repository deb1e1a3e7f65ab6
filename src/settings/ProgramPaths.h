#pragma once

#include <QString>

// Where the program keeps its settings file and finds its help file, given the directory of
// its executable.
//
// keymill.ini lies beside the executable, so a copy carried on a stick keeps its settings with
// it. Two kinds of directory are never written there:
//  - one that cannot be written (missing, not a directory, read-only file system, no rights);
//  - one of the system's installed-software trees (/usr, /opt, and the /bin, /sbin, /lib
//    links into /usr). Those hold what the package manager installed; programs never write
//    there at run time, even when run as root, which could write them.
// For those the file goes to the user's configuration directory ($XDG_CONFIG_HOME/keymill,
// usually ~/.config/keymill), created when the path is worked out at start-up.
QString SettingsFilePathFor(const QString& programDir);

// The file the settings are read from: the one SettingsFilePathFor names once it exists. Until
// the user's own file exists, a keymill.ini beside the executable is read (one carried on a
// read-only medium, or put there by an administrator), and the first close then writes the
// user's file.
QString SettingsReadPathFor(const QString& programDir);

// keymill.qch beside the executable when it is there (a build tree or a portable copy);
// otherwise the installed one in <prefix>/share/keymill when that exists; otherwise the path
// beside the executable, so the help window reports the file that is missing there.
QString HelpFilePathFor(const QString& programDir);

// True when `dir` lies in one of the installed-software trees named above.
bool IsInstalledSoftwareDir(const QString& dir);
