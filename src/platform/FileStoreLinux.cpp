// Whole-file reads and replacements on Linux: descriptors, fsync and an atomic rename.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <atomic>
#include <cerrno>

#include "platform/Errors.h"
#include "platform/FileStore.h"

namespace tabulist {

namespace {

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, so that a failing close is reported; returns errno or 0.
    int close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

[[noreturn]] void ThrowErrno(int err) { throw InOutErrorFromErrno(err); }

// The file a store replaces: a symbolic link is followed, so the link stays a link.
QByteArray StoreTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists()) return QFile::encodeName(info.canonicalFilePath());
    return QFile::encodeName(path);
}

int CreateTemporary(const QByteArray& target, QByteArray& name) {
    static std::atomic<unsigned> counter{0};
    for (;;) {
        name =
            target + ".tmp" + QByteArray::number(::getpid()) + "-" + QByteArray::number(counter++);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
}

void WriteAll(int fd, const void* data, size_t size) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
        // A file-size limit refuses the write the way a full disk does.
        if (errno == EFBIG || errno == ENOSPC) throw EInOutError(101);
        ThrowErrno(errno);
    }
    if (static_cast<size_t>(written) < size) throw EInOutError(101);
}

// Overwrites from the start before cutting the length, so the old image is not emptied first.
void StoreInPlace(const QByteArray& target, const void* data, size_t size) {
    Descriptor file(::open(target.constData(), O_WRONLY | O_CLOEXEC));
    if (file.get() < 0) ThrowErrno(errno);
    WriteAll(file.get(), data, size);
    if (::ftruncate(file.get(), static_cast<off_t>(size)) != 0) ThrowErrno(errno);
    if (::fsync(file.get()) != 0) ThrowErrno(errno);
    if (const int err = file.close(); err != 0) ThrowErrno(err);
}

// Makes the rename itself durable; the store has succeeded either way.
void SyncDirectoryOf(const QByteArray& target) {
    const QByteArray directory =
        QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath());
    Descriptor dir(::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0) ::fsync(dir.get());
}

}  // namespace

size_t ReadFileStart(const QString& path, void* buffer, size_t size) {
    Descriptor file(::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC));
    if (file.get() < 0) ThrowErrno(errno);
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t got = 0;
    while (got < size) {
        const ssize_t n = ::read(file.get(), bytes + got, size - got);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowErrno(errno);
        if (n == 0) break;
        got += static_cast<size_t>(n);
    }
    return got;
}

void ReplaceFile(const QString& path, const void* data, size_t size) {
    const QByteArray target = StoreTarget(path);
    struct stat old {};
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists) {
        // A read-only file is refused as a direct write would be.
        Descriptor probe(::open(target.constData(), O_WRONLY | O_CLOEXEC));
        if (probe.get() < 0) ThrowErrno(errno);
    }
    QByteArray temporary;
    Descriptor file(CreateTemporary(target, temporary));
    if (file.get() < 0) {
        const int err = errno;
        // A writable file in a directory that takes no new files can only be rewritten.
        if (exists && (err == EACCES || err == EPERM)) return StoreInPlace(target, data, size);
        ThrowErrno(err);
    }
    try {
        if (exists) ::fchmod(file.get(), old.st_mode & 07777);
        WriteAll(file.get(), data, size);
        if (::fsync(file.get()) != 0) ThrowErrno(errno);
        if (const int err = file.close(); err != 0) ThrowErrno(err);
        if (::rename(temporary.constData(), target.constData()) != 0) ThrowErrno(errno);
    } catch (...) {
        ::unlink(temporary.constData());
        throw;
    }
    SyncDirectoryOf(target);
}

}  // namespace tabulist
