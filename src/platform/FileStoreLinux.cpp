// Whole-file reads on Linux.
#include <fcntl.h>
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

}  // namespace tabulist
