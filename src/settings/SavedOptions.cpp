// The options record in memory, its font name, and the settings file beside the program.
#include "settings/SavedOptions.h"

#include <QByteArray>
#include <cstring>

#include "settings/SettingsFile.h"

namespace tabulist {

TSavedOptions SavedOptions{};
bool OptionsChanged = false;

QString TSavedOptions::fontName() const {
    return QString::fromUtf8(reinterpret_cast<const char*>(FontName + 1), FontName[0]);
}

void TSavedOptions::setFontName(const QString& name) {
    const QByteArray bytes = name.toUtf8();
    qsizetype length = bytes.size();
    if (length > 255) {
        // Back up over continuation bytes so that no character is split.
        length = 255;
        while (length > 0 && (static_cast<uint8_t>(bytes[length]) & 0xC0) == 0x80) --length;
    }
    std::memset(FontName, 0, sizeof FontName);
    FontName[0] = static_cast<uint8_t>(length);
    std::memcpy(FontName + 1, bytes.constData(), static_cast<size_t>(length));
}

QString SettingsPath(const QString& programDirectory) {
    QString path = programDirectory;
    if (!path.isEmpty() && !path.endsWith(QLatin1Char('/'))) path += QLatin1Char('/');
    return path + QStringLiteral("Tabulist.sav");
}

void LoadSavedOptions(const QString& path) { LoadOptionsRecord(path, SavedOptions); }

void StoreSavedOptions(const QString& path) { StoreOptionsRecord(path, SavedOptions); }

}  // namespace tabulist
