#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <functional>

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

// ReadSequentially's result for a path that names no regular file of its own: a symbolic
// link (not followed), a FIFO, a device, a socket, a folder.
constexpr int ReadNotRegularFile = -1;

// Reads a regular file front to back in chunks of the buffer's size, the system told that
// the reads are sequential so that it reads ahead. consume gets each chunk and returns
// false to stop. Returns 0, ReadNotRegularFile, or the input/output error code (Errors.h)
// of what failed: unlike the two above it throws nothing, as a checksum that cannot be
// read is reported and the listing goes on.
int ReadSequentially(const QByteArray& path, char* buffer, size_t size,
                     const std::function<bool(const char* data, size_t length)>& consume);

}  // namespace tabulist
