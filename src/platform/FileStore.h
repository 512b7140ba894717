#pragma once

#include <QString>
#include <cstddef>

namespace tabulist {

// Whole-file reads and replacements for small fixed-size files; errors are thrown as
// EInOutError with the system's code.

// Reads up to size bytes from the start of the file at path into buffer and returns how
// many arrived. The file is opened for writing too, so that one that could not be
// replaced later is reported now. On a read error the bytes read so far stay in buffer.
size_t ReadFileStart(const QString& path, void* buffer, size_t size);

// Replaces the file at path with data: through a temporary file and a rename, keeping the
// old file's mode and following a symbolic link; rewritten in place when the directory
// takes no new files. A short write fails with code 101, like a full disk.
void ReplaceFile(const QString& path, const void* data, size_t size);

}  // namespace tabulist
