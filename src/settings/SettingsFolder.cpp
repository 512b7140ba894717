// The settings folder: the program folder, or a per-user folder when that is read-only.
#include "settings/SettingsFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "platform/WritableFolder.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"

namespace tabulist {

namespace {

// A copy owned by this user, with the user's default modes: the installed file may be
// read-only, and the record's loader opens its file for writing too.
void CopyIfMissing(const QString& from, const QString& to) {
    if (QFileInfo(to).exists() || QFileInfo(to).isSymLink()) return;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) return;
    const QByteArray bytes = source.readAll();
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly)) return;
    target.write(bytes);
    target.commit();
}

}  // namespace

QString PerUserSettingsFolder() {
#ifdef Q_OS_WIN
    // Windows keeps a user's program settings in the roaming application data.
    const QString appData = qEnvironmentVariable("APPDATA");
    if (QDir::isAbsolutePath(appData))
        return QDir::cleanPath(appData + QStringLiteral("/Tabulist"));
#endif
    const QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString config =
        QDir::isAbsolutePath(base) ? base : QDir::homePath() + QStringLiteral("/.config");
    return QDir::cleanPath(config + QStringLiteral("/tabulist"));
}

QString UserSettingsPath(const QString& programDirectory) {
    const QString programPath = SettingsPath(programDirectory);
    if (FolderWritable(QFile::encodeName(programDirectory))) return programPath;
    const QString folder = PerUserSettingsFolder();
    const QString path = SettingsPath(folder);
    if (!QDir().mkpath(folder)) return path;
    CopyIfMissing(programPath, path);
    CopyIfMissing(AddedOptionsPath(programPath), AddedOptionsPath(path));
    return path;
}

}  // namespace tabulist
