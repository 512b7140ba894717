#pragma once

#include <QByteArray>
#include <functional>

#include "listing/Checksums.h"
#include "listing/DataWriter.h"

namespace tabulist {

// One line of a checksum list, "HASH  relative/path" and LF, as sha256sum -c, md5sum -c
// and xxhsum -c read it. A name with a backslash or a line end (CR or LF) takes the escaped
// form those tools write: the line starts with a backslash, and the name has "\\", "\n"
// and "\r" for them. xxhsum before 0.8.2 knows no escapes, so for xxh128 only a name with
// LF, which it cannot read at all, is escaped.
QByteArray SumsLine(const QByteArray& checksum, const QByteArray& path,
                    ChecksumAlgorithm algorithm);

// The sums format: a line per file with a checksum of the listing's algorithm, the rest left
// out (a list to check has no line for a folder, a link or a file that could not be read).
// Lines end with LF whatever --lf says: the tools take a CR for part of the name.
std::unique_ptr<DataWriter> MakeSumsWriter(const DataOptions& options, const DataOutput& output);

}  // namespace tabulist
