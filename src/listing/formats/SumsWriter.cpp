// The sums format: checksum lists for the system's checksum tools.
#include "listing/formats/SumsWriter.h"

namespace tabulist {

QByteArray SumsLine(const QByteArray& checksum, const QByteArray& path,
                    ChecksumAlgorithm algorithm) {
    const bool escaped = algorithm == ChecksumAlgorithm::Xxh128
                             ? path.contains('\n')
                             : path.contains('\\') || path.contains('\n') || path.contains('\r');
    QByteArray line;
    line.reserve(checksum.size() + path.size() + 4);
    if (escaped) line += '\\';
    line += checksum;
    line += "  ";
    if (!escaped) {
        line += path;
    } else {
        for (const char c : path) {
            if (c == '\\')
                line += "\\\\";
            else if (c == '\n')
                line += "\\n";
            else if (c == '\r')
                line += "\\r";
            else
                line += c;
        }
    }
    line += '\n';
    return line;
}

void SumsWriter::entryWithChecksum(const QString&, const TSearchRec&,
                                   const EntryChecksum& checksum) {
    if (!checksum.text.isEmpty()) out_(SumsLine(checksum.text, checksum.relativePath, algorithm_));
}

}  // namespace tabulist
