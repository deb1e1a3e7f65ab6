#include "ProgramPaths.h"

#include "SettingsRules.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace {

const QString kSettingsFileName = SettingsNames::kFileName;
const QString kHelpFileName = QStringLiteral("keymill.qch");

// Symbolic links are resolved first, so /bin/keymill counts as /usr/bin/keymill.
QString ResolvedDir(const QString& dir) {
    const QFileInfo info(dir);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath()) : canonical;
}

bool IsWritableDir(const QString& dir) {
    const QFileInfo info(dir);
    return info.isDir() && info.isWritable();
}

QString UserSettingsDir() {
    const QString dir =
        QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/keymill";
    // A failure here is left to the settings write, which fails silently like any other.
    QDir().mkpath(dir);
    return dir;
}

} // namespace

bool IsInstalledSoftwareDir(const QString& dir) {
    static const QStringList trees{"/usr", "/opt", "/bin", "/sbin", "/lib", "/lib64"};
    const QString resolved = ResolvedDir(dir);
    for (const QString& tree : trees) {
        if (resolved == tree || resolved.startsWith(tree + '/')) {
            return true;
        }
    }
    return false;
}

QString SettingsFilePathFor(const QString& programDir) {
    if (IsWritableDir(programDir) && !IsInstalledSoftwareDir(programDir)) {
        return programDir + '/' + kSettingsFileName;
    }
    return UserSettingsDir() + '/' + kSettingsFileName;
}

QString SettingsReadPathFor(const QString& programDir) {
    const QString written = SettingsFilePathFor(programDir);
    const QString beside = programDir + '/' + kSettingsFileName;
    return QFileInfo::exists(written) ? written : beside;
}

QString HelpFilePathFor(const QString& programDir) {
    const QString beside = programDir + '/' + kHelpFileName;
    if (QFileInfo(beside).isFile()) {
        return beside;
    }
    const QString installed = QDir::cleanPath(programDir + "/../share/keymill/" + kHelpFileName);
    if (QFileInfo(installed).isFile()) {
        return installed;
    }
    return beside;
}
