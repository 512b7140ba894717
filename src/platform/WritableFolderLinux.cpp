// FolderWritable through access(2).
#include <unistd.h>

#include "platform/WritableFolder.h"

namespace tabulist {

bool FolderWritable(const QByteArray& rawPath) {
    return ::access(rawPath.isEmpty() ? "." : rawPath.constData(), W_OK | X_OK) == 0;
}

}  // namespace tabulist
