// The temporary trees of the tests and the working directory, on Linux.
#include "support/Fixture.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace tabulist::test {
namespace {

[[noreturn]] void fail(const char* what, const QByteArray& path) {
    throw std::runtime_error(std::string("fixture: ") + what + " " + path.toStdString() + ": " +
                             std::strerror(errno));
}

// Removes everything below the directory open as fd, making each directory writable and
// searchable first so that a test's chmod cannot leave debris behind.
void removeContents(int fd) {
    DIR* d = fdopendir(fd);
    if (!d) {
        close(fd);
        return;
    }
    while (dirent* e = readdir(d)) {
        if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0) continue;
        struct stat st;
        if (fstatat(dirfd(d), e->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) continue;
        if (S_ISDIR(st.st_mode)) {
            // Best effort: a folder that stays shut is left behind by the removal below.
            [[maybe_unused]] const int opened = fchmodat(dirfd(d), e->d_name, 0700, 0);
            int sub = openat(dirfd(d), e->d_name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW);
            if (sub >= 0) removeContents(sub);
            unlinkat(dirfd(d), e->d_name, AT_REMOVEDIR);
        } else {
            unlinkat(dirfd(d), e->d_name, 0);
        }
    }
    closedir(d);
}

}  // namespace

Fixture::Fixture() {
    QByteArray templ = QDir::tempPath().toUtf8() + "/tabulist-test-XXXXXX";
    if (!mkdtemp(templ.data())) fail("mkdtemp", templ);
    root_ = templ;
}

Fixture::~Fixture() {
    chmod(root_.constData(), 0700);
    int fd = open(root_.constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) removeContents(fd);
    rmdir(root_.constData());
}

QByteArray Fixture::path(const QByteArray& name) const {
    return name.isEmpty() ? root_ : root_ + '/' + name;
}

QByteArray Fixture::file(const QByteArray& name, int64_t size) {
    const QByteArray p = path(name);
    int fd = open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) fail("create", p);
    if (ftruncate(fd, size) != 0) {
        close(fd);
        fail("ftruncate", p);
    }
    close(fd);
    return p;
}

QByteArray Fixture::file(const QByteArray& name, const QByteArray& content) {
    const QByteArray p = path(name);
    int fd = open(p.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0) fail("create", p);
    qsizetype done = 0;
    while (done < content.size()) {
        ssize_t n = write(fd, content.constData() + done, size_t(content.size() - done));
        if (n < 0) {
            close(fd);
            fail("write", p);
        }
        done += n;
    }
    close(fd);
    return p;
}

QByteArray Fixture::dir(const QByteArray& name) {
    const QByteArray p = path(name);
    if (mkdir(p.constData(), 0755) != 0) fail("mkdir", p);
    return p;
}

QByteArray Fixture::symlink(const QByteArray& name, const QByteArray& target) {
    const QByteArray p = path(name);
    if (::symlink(target.constData(), p.constData()) != 0) fail("symlink", p);
    return p;
}

QByteArray Fixture::fifo(const QByteArray& name) {
    const QByteArray p = path(name);
    if (mkfifo(p.constData(), 0644) != 0) fail("mkfifo", p);
    return p;
}

void Fixture::setTime(const QByteArray& name, const QDateTime& when, bool onLink) {
    const QByteArray p = path(name);
    const qint64 ms = when.toMSecsSinceEpoch();
    timespec times[2];
    times[0].tv_sec = time_t(ms / 1000);
    times[0].tv_nsec = long(ms % 1000) * 1000000L;
    if (times[0].tv_nsec < 0) {
        times[0].tv_sec -= 1;
        times[0].tv_nsec += 1000000000L;
    }
    times[1] = times[0];
    if (utimensat(AT_FDCWD, p.constData(), times, onLink ? AT_SYMLINK_NOFOLLOW : 0) != 0)
        fail("utimensat", p);
}

void Fixture::setLocalTime(const QByteArray& name, int year, int month, int day, int hour,
                           int minute, int second) {
    // mktime rather than QDateTime: it is the C library's idea of local time that the
    // program reads back with localtime_r.
    tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    const time_t secs = mktime(&t);
    setTime(name, QDateTime::fromSecsSinceEpoch(secs));
}

void Fixture::setMode(const QByteArray& name, mode_t mode) {
    const QByteArray p = path(name);
    if (chmod(p.constData(), mode) != 0) fail("chmod", p);
}

void Fixture::remove(const QByteArray& name) {
    const QByteArray p = path(name);
    struct stat st;
    if (lstat(p.constData(), &st) != 0) fail("lstat", p);
    if ((S_ISDIR(st.st_mode) ? rmdir(p.constData()) : unlink(p.constData())) != 0)
        fail("remove", p);
}

QByteArray RealPath(const QByteArray& path) {
    char* real = realpath(path.constData(), nullptr);
    if (real == nullptr) fail("realpath", path);
    QByteArray out(real);
    free(real);
    return out;
}

void ChangeDirectory(const QByteArray& path) {
    if (chdir(path.constData()) != 0) fail("chdir", path);
}

WorkingDirectoryGuard::WorkingDirectoryGuard() {
    char* cwd = getcwd(nullptr, 0);
    if (cwd == nullptr) fail("getcwd", ".");
    saved_ = cwd;
    free(cwd);
}

WorkingDirectoryGuard::~WorkingDirectoryGuard() {
    // When the original directory went away, the test's own checks failed already.
    [[maybe_unused]] const int rc = chdir(saved_.constData());
}

namespace {

// Sets the soft limit of resource; returns the one it replaces.
unsigned long long SwapSoftLimit(int resource, unsigned long long value) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0) throw std::runtime_error("getrlimit failed");
    const unsigned long long saved = limit.rlim_cur;
    limit.rlim_cur = rlim_t(value);
    if (::setrlimit(resource, &limit) != 0) throw std::runtime_error("setrlimit failed");
    return saved;
}

}  // namespace

FileSizeLimit::FileSizeLimit(unsigned long long bytes) {
    savedHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    savedLimit_ = SwapSoftLimit(RLIMIT_FSIZE, bytes);
}

FileSizeLimit::~FileSizeLimit() {
    SwapSoftLimit(RLIMIT_FSIZE, savedLimit_);
    std::signal(SIGXFSZ, savedHandler_);
}

DescriptorLimit::DescriptorLimit(int spare) {
    std::vector<int> open;
    DIR* dir = ::opendir("/proc/self/fd");
    if (!dir) throw std::runtime_error("cannot read /proc/self/fd");
    while (const dirent* e = ::readdir(dir)) {
        const int fd = std::atoi(e->d_name);
        if (e->d_name[0] != '.' && fd != ::dirfd(dir)) open.push_back(fd);
    }
    ::closedir(dir);
    // New descriptors take the lowest free numbers: the limit ends after the spare-th of them;
    // descriptors open above it stay open.
    int fd = 0;
    for (int free = 0;; ++fd) {
        if (std::find(open.begin(), open.end(), fd) == open.end() && ++free == spare) break;
    }
    savedLimit_ = SwapSoftLimit(RLIMIT_NOFILE, (unsigned long long)(fd + 1));
}

DescriptorLimit::~DescriptorLimit() { SwapSoftLimit(RLIMIT_NOFILE, savedLimit_); }

}  // namespace tabulist::test
