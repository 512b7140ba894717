// ReplacementFile on Linux: a temporary beside the target, fsync, and an atomic rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <cerrno>
#include <climits>

#include "platform/ReplacementFile.h"

namespace tabulist {

namespace {

QByteArray DirectoryOf(const QByteArray& path) {
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0) return ".";
    return slash == 0 ? QByteArray("/") : path.left(slash);
}

// What the name finally points at, through any chain of symbolic links; a dangling link
// gives the name it points at, which is then created.
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

int CreateTemporaryBeside(const QByteArray& target, QByteArray& name) {
    static std::atomic<unsigned> counter{0};
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray dir = slash < 0 ? QByteArray() : target.left(slash + 1);
    const QByteArray base = slash < 0 ? target : target.mid(slash + 1);
    for (;;) {
        name = dir + '.' + base + ".tmp" + QByteArray::number(::getpid()) + '-' +
               QByteArray::number(counter++);
        // 0666: a new file gets what the umask leaves.
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

}  // namespace

ReplacementFile::ReplacementFile(const QString& name)
    : target_(FollowLinks(QFile::encodeName(name))) {}

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Fail(Failure failure, int err) {
    failure_ = failure;
    error_ = err;
    return false;
}

bool ReplacementFile::OutOfRoom() const {
    return failure_ == Failure::Write && (error_ == ENOSPC || error_ == EFBIG || error_ == 0);
}

bool ReplacementFile::Open(bool allowInPlace) {
    struct stat old {};
    const bool exists = ::stat(target_.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) return Fail(Failure::Create, EISDIR);
    if (exists && !S_ISREG(old.st_mode)) {
        // A pipe or a device is not replaced by a file: the bytes go into it.
        fd_ = ::open(target_.constData(), O_WRONLY | O_CLOEXEC);
        return fd_ >= 0 || Fail(Failure::Create, errno);
    }
    if (exists) {
        // Refused as a direct write would be, before anything is created.
        const int probe = ::open(target_.constData(), O_WRONLY | O_CLOEXEC);
        if (probe < 0) return Fail(Failure::Create, errno);
        ::close(probe);
    }
    fd_ = CreateTemporaryBeside(target_, temporary_);
    if (fd_ < 0) {
        const int err = errno;
        temporary_.clear();
        if (!exists || !allowInPlace) return Fail(Failure::Create, err);
        // The folder takes no new file, but the file may be written itself.
        fd_ = ::open(target_.constData(), O_WRONLY | O_CLOEXEC);
        if (fd_ < 0) return Fail(Failure::Create, errno);
        inPlace_ = true;
        return true;
    }
    if (exists) {
        // Owner first: changing it may clear the set-id bits the mode then restores.
        if (::fchown(fd_, old.st_uid, old.st_gid) != 0) (void)::fchown(fd_, uid_t(-1), old.st_gid);
        (void)::fchmod(fd_, old.st_mode & 07777);
    }
    return true;
}

bool ReplacementFile::Write(const char* data, qint64 size) {
    if (fd_ < 0) return Fail(Failure::Write, EBADF);
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size_t(size));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Fail(Failure::Write, errno);
        if (n == 0) return Fail(Failure::Write, ENOSPC);
        data += n;
        size -= n;
        written_ += n;
    }
    return true;
}

bool ReplacementFile::Commit() {
    if (fd_ < 0) return Fail(Failure::Write, EBADF);
    // Overwritten from the start, the old content is cut only after the new one is there.
    if (inPlace_ && ::ftruncate(fd_, written_) != 0) return Fail(Failure::Write, errno);
    if ((inPlace_ || !temporary_.isEmpty()) && ::fsync(fd_) != 0)
        return Fail(Failure::Write, errno);
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0 && errno != EINTR) return Fail(Failure::Write, errno);
    if (temporary_.isEmpty()) return true;
    if (::rename(temporary_.constData(), target_.constData()) != 0)
        return Fail(Failure::Create, errno);
    temporary_.clear();
    // Makes the rename itself durable; the file is written either way.
    const int dir = ::open(DirectoryOf(target_).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
    return true;
}

void ReplacementFile::Discard() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
    if (!temporary_.isEmpty()) ::unlink(temporary_.constData());
    temporary_.clear();
}

ReplacementDevice::ReplacementDevice(ReplacementFile& file) : file_(file) {
    QIODevice::open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 ReplacementDevice::writeData(const char* data, qint64 size) {
    return file_.Write(data, size) ? size : -1;
}

}  // namespace tabulist
