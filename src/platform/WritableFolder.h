#pragma once

#include <QByteArray>

namespace tabulist {

// Whether this user may create and replace files in the folder (the system's own access
// check: root may write to a folder whose modes say read-only, a read-only mount refuses).
bool FolderWritable(const QByteArray& rawPath);

}  // namespace tabulist
