// CheckPath and IdentifyFolder through stat(2) and lstat(2).
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

bool IsAbsolutePath(const QByteArray& rawPath) { return rawPath.startsWith('/'); }

bool IdentifyFolder(const QByteArray& rawPath, bool followLinks, FolderIdentity& identity) {
    struct stat info {};
    const int result =
        followLinks ? ::stat(rawPath.constData(), &info) : ::lstat(rawPath.constData(), &info);
    if (result != 0 || !S_ISDIR(info.st_mode)) return false;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return true;
}

}  // namespace tabulist
