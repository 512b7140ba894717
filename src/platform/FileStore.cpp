// Whole-file replacements, the same on every system: through ReplacementFile.
#include "platform/FileStore.h"

#include "platform/Errors.h"
#include "platform/ReplacementFile.h"

namespace tabulist {

void ReplaceFile(const QString& path, const void* data, size_t size) {
    ReplacementFile file(path);
    if (file.Open(true) && file.Write(static_cast<const char*>(data), qint64(size)) &&
        file.Commit())
        return;
    // A file-size limit refuses the write the way a full disk does.
    if (file.OutOfRoom()) throw EInOutError(101);
    throw InOutErrorFromErrno(file.Error());
}

}  // namespace tabulist
