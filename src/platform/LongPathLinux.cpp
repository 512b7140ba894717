// Paths of any length, opened one piece of at most PATH_MAX bytes at a time.
#include "platform/LongPathLinux.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>

namespace tabulist {

namespace {

int OpenAt(int at, const char* path, int flags) {
    int fd;
    do fd = ::openat(at, path, flags);
    while (fd < 0 && errno == EINTR);
    return fd;
}

int StatAt(int at, const char* path, struct stat& st, int flags) {
    int result;
    do result = ::fstatat(at, path, &st, flags);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// The folder that holds the last piece of path (at most PATH_MAX - 1 bytes), opened piece by
// piece; rest is set to what is left. -1 with errno on failure.
int OpenHolder(const QByteArray& path, QByteArray& rest) {
    constexpr qsizetype Piece = PATH_MAX - 1;
    int at = AT_FDCWD;
    qsizetype from = 0;
    while (path.size() - from > Piece) {
        // The longest run of whole names that fits; a root "/" is a piece of its own.
        qsizetype cut = path.lastIndexOf('/', from + Piece);
        if (cut < from) {
            if (at != AT_FDCWD) ::close(at);
            errno = ENAMETOOLONG;  // one name longer than any path
            return -1;
        }
        const QByteArray piece = cut == from ? QByteArray("/") : path.mid(from, cut - from);
        const int next = OpenAt(at, piece.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        const int err = errno;
        if (at != AT_FDCWD) ::close(at);
        if (next < 0) {
            errno = err;
            return -1;
        }
        at = next;
        from = cut + 1;
    }
    rest = path.mid(from);
    return at;
}

}  // namespace

int OpenAnyLength(const QByteArray& path, int flags) {
    const int fd = OpenAt(AT_FDCWD, path.constData(), flags);
    if (fd >= 0 || errno != ENAMETOOLONG) return fd;
    QByteArray rest;
    const int at = OpenHolder(path, rest);
    if (at < 0) return -1;
    const int result = OpenAt(at, rest.isEmpty() ? "." : rest.constData(), flags);
    const int err = errno;
    if (at != AT_FDCWD) ::close(at);
    errno = err;
    return result;
}

int StatAnyLength(const QByteArray& path, struct stat& st, int flags) {
    int result;
    do
        result = (flags & AT_SYMLINK_NOFOLLOW) ? ::lstat(path.constData(), &st)
                                               : ::stat(path.constData(), &st);
    while (result != 0 && errno == EINTR);
    const int err = result == 0 ? 0 : errno;
    if (err != ENAMETOOLONG) return err;
    QByteArray rest;
    const int at = OpenHolder(path, rest);
    if (at < 0) return errno;
    const int found = StatAt(at, rest.isEmpty() ? "." : rest.constData(), st, flags);
    if (at != AT_FDCWD) ::close(at);
    return found;
}

}  // namespace tabulist
