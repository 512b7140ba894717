#pragma once

#include <QPixmap>
#include <QString>

#include "platform/DirectoryList.h"
#include "platform/DriveTable.h"

namespace tabulist {

// The glyph resources by name ("HARD", "OPENFOLDER", ...), with the colour of each
// picture's bottom-left pixel made transparent. Loaded once.
QPixmap SelectorGlyph(const QString& name);

QString DriveGlyphName(DriveType type);
QString FolderGlyphName(DirRowKind kind);

}  // namespace tabulist
