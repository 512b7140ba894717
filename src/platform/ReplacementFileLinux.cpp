// The Linux calls of ReplacementFile: open, fsync, rename, and the old file's owner and mode.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>

#include "platform/ReplacementFileSystem.h"

namespace tabulist {

struct OpenedFile {
    int fd;
};

namespace {

QByteArray DirectoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

int Opened(int fd, OpenedFile*& out) {
    if (fd < 0) return errno;
    out = new OpenedFile{fd};
    return 0;
}

}  // namespace

QByteArray FollowLinks(QByteArray path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        QByteArray link(PATH_MAX, '\0');
        const ssize_t n = ::readlink(path.constData(), link.data(), link.size());
        if (n <= 0) return path;
        link.truncate(n);
        path = link.startsWith('/') ? link : DirectoryOf(path) + '/' + link;
    }
    return path;  // a loop: opening it reports the error
}

TargetKind InspectTarget(const QByteArray& target) {
    struct stat info {};
    if (::stat(target.constData(), &info) != 0) return TargetKind::Missing;
    if (S_ISDIR(info.st_mode)) return TargetKind::Directory;
    return S_ISREG(info.st_mode) ? TargetKind::Regular : TargetKind::Other;
}

int OpenExistingForWriting(const QByteArray& target, OpenedFile*& out) {
    return Opened(::open(target.constData(), O_WRONLY | O_CLOEXEC), out);
}

int CreateTemporaryBeside(const QByteArray& target, QByteArray& name, OpenedFile*& out) {
    static std::atomic<unsigned> counter{0};
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray base = slash < 0 ? target : target.mid(slash + 1);
    for (;;) {
        name = dir + '.' + base + ".tmp" + QByteArray::number(::getpid()) + '-' +
               QByteArray::number(counter++);
        // 0666: a new file gets what the umask leaves.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return Opened(fd, out);
    }
}

void KeepOwnerAndMode(OpenedFile& file, const QByteArray& target) {
    struct stat old {};
    if (::stat(target.constData(), &old) != 0) return;
    // Owner first: changing it may clear the set-id bits the mode then restores.
    if (::fchown(file.fd, old.st_uid, old.st_gid) != 0)
        (void)::fchown(file.fd, uid_t(-1), old.st_gid);
    (void)::fchmod(file.fd, old.st_mode & 07777);
}

int64_t WriteSome(OpenedFile& file, const char* data, int64_t size, int& error) {
    const ssize_t n = ::write(file.fd, data, size_t(size));
    if (n < 0) error = errno;
    return n;
}

int TruncateFile(OpenedFile& file, int64_t size) {
    return ::ftruncate(file.fd, size) == 0 ? 0 : errno;
}

int SyncFile(OpenedFile& file) { return ::fsync(file.fd) == 0 ? 0 : errno; }

int CloseFile(OpenedFile* file) {
    const int result = ::close(file->fd);
    const int err = errno;
    delete file;
    return result == 0 ? 0 : err;
}

int RenameOver(const QByteArray& from, const QByteArray& to) {
    return ::rename(from.constData(), to.constData()) == 0 ? 0 : errno;
}

void SyncFolderOf(const QByteArray& path) {
    const int dir = ::open(DirectoryOf(path).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

void RemoveFile(const QByteArray& path) { ::unlink(path.constData()); }

}  // namespace tabulist
