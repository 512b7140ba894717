// Whole-file reads on Linux; checksums read through posix_fadvise(2) and long read(2)s.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
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

private:
    int fd_;
};

[[noreturn]] void ThrowErrno(int err) { throw InOutErrorFromErrno(err); }

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

int ReadSequentially(const QByteArray& path, char* buffer, size_t size,
                     const std::function<bool(const char*, size_t)>& consume) {
    // Non-blocking, so that a file replaced by a FIFO since it was listed cannot hang the
    // read; it is refused below, as a link is.
    const Descriptor file(
        ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_NOFOLLOW));
    if (file.get() < 0) return errno == ELOOP ? ReadNotRegularFile : InOutCodeFromErrno(errno);
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) return InOutCodeFromErrno(errno);
    if (!S_ISREG(info.st_mode)) return ReadNotRegularFile;
    ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_SEQUENTIAL);
    for (;;) {
        const ssize_t got = ::read(file.get(), buffer, size);
        if (got < 0) {
            if (errno == EINTR) continue;
            return InOutCodeFromErrno(errno);
        }
        if (got == 0) return 0;
        if (!consume(buffer, size_t(got))) return 0;
    }
}

}  // namespace tabulist
