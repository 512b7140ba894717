// CheckPath through stat(2).
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/PathCheck.h"

namespace tabulist {

PathCheck CheckPath(const QByteArray& rawPath) {
    struct stat info {};
    if (::stat(rawPath.constData(), &info) != 0)
        return {PathCheck::Unreachable, QString::fromLocal8Bit(std::strerror(errno))};
    return {S_ISDIR(info.st_mode) ? PathCheck::Directory : PathCheck::NotDirectory, {}};
}

}  // namespace tabulist
