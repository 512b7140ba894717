// Writing a listing's text to a file, with the exact errors of a failed write.
#include "output/ListingFile.h"

#include <QFileInfo>
#include <QSaveFile>

#include "output/OutputErrors.h"

namespace tabulist {

QByteArray ListingFileBytes(const QString& text) {
    const QByteArray local = text.toLocal8Bit();
    QByteArray bytes;
    bytes.reserve(local.size() + local.count('\n'));
    for (qsizetype i = 0; i < local.size(); ++i) {
        const char c = local[i];
        if (c == '\n' && (i == 0 || local[i - 1] != '\r')) bytes.append('\r');
        bytes.append(c);
    }
    return bytes;
}

void WriteListingFile(const QString& fileName, const QByteArray& bytes) {
    QSaveFile file(fileName);
    // Never write in place: that would truncate the old file before the new one is safe.
    file.setDirectWriteFallback(false);
    // Unbuffered: a buffered small write that the disk cuts short is flushed by commit(),
    // which does not report it, and a truncated file would take the name.
    if (QFileInfo(fileName).isDir() || !file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw ECreateFileError(fileName);
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        throw EStreamWriteError();
    }
    if (!file.commit()) {
        // The buffered tail is written by commit(); a rename that fails is a create failure.
        if (file.error() == QFileDevice::WriteError) throw EStreamWriteError();
        throw ECreateFileError(fileName);
    }
}

}  // namespace tabulist
