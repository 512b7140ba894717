// Reading and writing the additions' INI file.

#include "settings/AddedOptions.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

#include "platform/Errors.h"

namespace tabulist {

TAddedOptions AddedOptions;

namespace {

bool ReadBool(const QSettings& file, const char* key, bool fallback) {
    const QString text = file.value(QLatin1String(key)).toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1")) return true;
    if (text == QLatin1String("false") || text == QLatin1String("0")) return false;
    return fallback;
}

int ReadInt(const QSettings& file, const char* key, int low, int high, int fallback) {
    bool ok = false;
    const int value = file.value(QLatin1String(key)).toString().trimmed().toInt(&ok);
    return ok && value >= low && value <= high ? value : fallback;
}

}  // namespace

QString AddedOptionsPath(const QString& settingsPath) {
    return QFileInfo(settingsPath).dir().filePath(QStringLiteral("Tabulist.ini"));
}

TAddedOptions LoadAddedOptions(const QString& path) {
    TAddedOptions options;
    if (!QFileInfo::exists(path)) return options;
    const QSettings file(path, QSettings::IniFormat);
    options.Subfolders = ReadBool(file, "Listing/Subfolders", options.Subfolders);
    options.FolderTotals = ReadBool(file, "Listing/FolderTotals", options.FolderTotals);
    options.Depth = ReadInt(file, "Listing/Depth", -1, 1'000'000, options.Depth);
    options.OneFileSystem = ReadBool(file, "Listing/OneFileSystem", options.OneFileSystem);
    options.Sort = SortKey(ReadInt(file, "Listing/Sort", 0, 3, int(options.Sort)));
    options.SortDescending = ReadBool(file, "Listing/SortDescending", options.SortDescending);
    return options;
}

void StoreAddedOptions(const QString& path, const TAddedOptions& options) {
    QSettings file(path, QSettings::IniFormat);
    file.setValue(QStringLiteral("Listing/Subfolders"), options.Subfolders);
    file.setValue(QStringLiteral("Listing/FolderTotals"), options.FolderTotals);
    file.setValue(QStringLiteral("Listing/Depth"), options.Depth);
    file.setValue(QStringLiteral("Listing/OneFileSystem"), options.OneFileSystem);
    file.setValue(QStringLiteral("Listing/Sort"), int(options.Sort));
    file.setValue(QStringLiteral("Listing/SortDescending"), options.SortDescending);
    // QSettings writes through a temporary file renamed over the old one.
    file.sync();
    if (file.status() != QSettings::NoError) throw EInOutError(5);
}

}  // namespace tabulist
