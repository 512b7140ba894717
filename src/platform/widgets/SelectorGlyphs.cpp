// The selectors' glyphs, loaded from their resources.
#include "platform/widgets/SelectorGlyphs.h"

#include <QHash>
#include <QImage>

// Resources of a static library are registered by hand, from the global namespace.
static void RegisterSelectorGlyphs() { Q_INIT_RESOURCE(selector_glyphs); }

namespace tabulist {

namespace {

QPixmap LoadGlyph(const QString& name) {
    QImage image(QStringLiteral(":/selector-glyphs/") + name, "XPM");
    if (image.isNull()) return {};
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, image.height() - 1);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (line[x] == key) line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return QPixmap::fromImage(image);
}

}  // namespace

QPixmap SelectorGlyph(const QString& name) {
    static QHash<QString, QPixmap> cache;
    static const bool registered = (RegisterSelectorGlyphs(), true);
    (void)registered;
    auto it = cache.find(name);
    if (it == cache.end()) it = cache.insert(name, LoadGlyph(name));
    return *it;
}

QString DriveGlyphName(DriveType type) {
    switch (type) {
        case DriveType::Removable:
            return QStringLiteral("FLOPPY");
        case DriveType::Fixed:
            return QStringLiteral("HARD");
        case DriveType::Network:
            return QStringLiteral("NETWORK");
        case DriveType::CdRom:
            return QStringLiteral("CDROM");
        case DriveType::RamDisk:
            return QStringLiteral("RAM");
    }
    return QStringLiteral("HARD");
}

QString FolderGlyphName(DirRowKind kind) {
    switch (kind) {
        case DirRowKind::Root:
        case DirRowKind::Ancestor:
            return QStringLiteral("OPENFOLDER");
        case DirRowKind::Current:
            return QStringLiteral("CURRENTFOLDER");
        case DirRowKind::Subdirectory:
            return QStringLiteral("CLOSEDFOLDER");
    }
    return QStringLiteral("CLOSEDFOLDER");
}

}  // namespace tabulist
