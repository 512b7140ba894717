// CheckPath and IdentifyFolder through stat(2) and lstat(2).
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include "platform/Errors.h"
#include "platform/LongPathLinux.h"
#include "platform/PathCheck.h"

namespace tabulist {

PathCheck CheckPath(const QByteArray& rawPath) {
    struct stat info {};
    if (::stat(rawPath.constData(), &info) != 0)
        return {PathCheck::Unreachable, QString::fromLocal8Bit(std::strerror(errno))};
    return {S_ISDIR(info.st_mode) ? PathCheck::Directory : PathCheck::NotDirectory, {}};
}

bool IsAbsolutePath(const QByteArray& rawPath) { return rawPath.startsWith('/'); }

bool IdentifyFolder(const QByteArray& rawPath, bool followLinks, FolderIdentity& identity,
                    int* failure) {
    struct stat info {};
    const int err = StatAnyLength(rawPath, info, followLinks ? 0 : AT_SYMLINK_NOFOLLOW);
    if (failure) *failure = err != 0 && err != ENOENT ? InOutCodeFromErrno(err) : 0;
    if (err != 0 || !S_ISDIR(info.st_mode)) return false;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    return true;
}

}  // namespace tabulist
