#pragma once

#include <QByteArray>
#include <QString>

namespace tabulist {

// The bytes of a saved listing: the text in the locale's encoding with every line end as
// CR LF; nothing is added at the end.
QByteArray ListingFileBytes(const QString& text);

// Writes the bytes under the name, replacing an existing file. They go to a temporary file
// in the same directory that takes the name only when complete, so a failed save leaves an
// existing file as it was. Fails with "Cannot create file %s" or "Stream write error".
void WriteListingFile(const QString& fileName, const QByteArray& bytes);

}  // namespace tabulist
