#pragma once

#include <QByteArray>
#include <QString>

namespace tabulist {

// The bytes of a saved listing: the text in UTF-8 with every line end as CR LF; nothing is
// added at the end.
QByteArray ListingFileBytes(const QString& text);

// Writes the bytes under the name, replacing an existing file (see ReplacementFile: a failed
// save leaves a regular file as it was; pipes, devices and link targets are written into;
// a file in a folder that takes no new file is overwritten in place).
// Fails with "Cannot create file %s" or "Stream write error".
void WriteListingFile(const QString& fileName, const QByteArray& bytes);

}  // namespace tabulist
