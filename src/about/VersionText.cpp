#include "VersionText.h"

#include "AboutConfig.h"

QString VersionText(int major, int minor, int revision) {
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor, 2, 10, QLatin1Char('0')).arg(revision);
}

QString VersionLine(int major, int minor, int revision) {
    return QStringLiteral("キーミル Version ") + VersionText(major, minor, revision);
}

QString ProgramVersionLine() {
    return VersionLine(about_config::kVersionMajor, about_config::kVersionMinor,
                       about_config::kVersionRevision);
}
