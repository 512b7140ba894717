// Writing a listing's text to a file, with the exact errors of a failed write.
#include "output/ListingFile.h"

#include <QFileInfo>

#include "output/OutputErrors.h"
#include "platform/ReplacementFile.h"

namespace tabulist {

QByteArray ListingFileBytes(const QString& text) {
    // UTF-8 whatever the locale: the view's characters as they are, a no-break space included.
    const QByteArray utf8 = text.toUtf8();
    QByteArray bytes;
    bytes.reserve(utf8.size() + utf8.count('\n'));
    for (qsizetype i = 0; i < utf8.size(); ++i) {
        const char c = utf8[i];
        if (c == '\n' && (i == 0 || utf8[i - 1] != '\r')) bytes.append('\r');
        bytes.append(c);
    }
    return bytes;
}

void WriteListingFile(const QString& fileName, const QByteArray& bytes) {
    if (QFileInfo(fileName).isDir()) throw ECreateFileError(fileName);
    ReplacementFile file(fileName);
    if (!file.Open(true)) throw ECreateFileError(fileName);
    if (!file.Write(bytes.constData(), bytes.size())) throw EStreamWriteError();
    if (!file.Commit()) {
        // A rename that fails is a create failure; anything before it a write failure.
        if (file.LastFailure() == ReplacementFile::Failure::Write) throw EStreamWriteError();
        throw ECreateFileError(fileName);
    }
}

}  // namespace tabulist
