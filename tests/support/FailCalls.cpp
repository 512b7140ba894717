// Loaded into tabulist-list with LD_PRELOAD: fails chosen C library calls with a chosen errno,
// so that read errors happen for real. TABULIST_FAIL="CALL:ERRNO:WHAT", CALL one of readdir,
// fstatat, lstat, open (open and openat):
//   readdir  WHAT is how many entries are read first; then one call fails;
//   others   WHAT is a part of the name or path; every call whose argument holds it fails.
// With ERRNO 4 (EINTR) every other matching call fails, so that a retry goes through.
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct Rule {
    std::string call;
    int err = 0;
    std::string what;
    long count = 0;  // calls seen
};

const Rule& rule() {
    static const Rule parsed = [] {
        Rule r;
        const char* spec = std::getenv("TABULIST_FAIL");
        if (!spec) return r;
        const std::string s = spec;
        const size_t a = s.find(':'), b = s.find(':', a + 1);
        if (a == std::string::npos || b == std::string::npos) return r;
        r.call = s.substr(0, a);
        r.err = std::atoi(s.substr(a + 1, b - a - 1).c_str());
        r.what = s.substr(b + 1);
        return r;
    }();
    return parsed;
}

// True when this call is to fail (errno then set).
bool fails(const char* call, const char* argument) {
    static long seen = 0;
    const Rule& r = rule();
    if (r.call != call) return false;
    if (r.call == "readdir") {
        if (seen++ != std::atol(r.what.c_str())) return false;
    } else if (!argument || !std::strstr(argument, r.what.c_str())) {
        return false;
    } else if (r.err == EINTR && seen++ % 2 == 1) {
        return false;
    }
    errno = r.err;
    return true;
}

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

int openVia(const char* symbol, const char* path, int flags, va_list args) {
    const mode_t mode = (flags & O_CREAT) ? va_arg(args, mode_t) : 0;
    if (fails("open", path)) return -1;
    return next<int (*)(const char*, int, ...)>(symbol)(path, flags, mode);
}

}  // namespace

extern "C" {

dirent* readdir(DIR* dir) {
    static auto real = next<dirent* (*)(DIR*)>("readdir");
    return fails("readdir", nullptr) ? nullptr : real(dir);
}

dirent64* readdir64(DIR* dir) {
    static auto real = next<dirent64* (*)(DIR*)>("readdir64");
    return fails("readdir", nullptr) ? nullptr : real(dir);
}

int fstatat(int fd, const char* name, struct stat* st, int flags) {
    static auto real = next<int (*)(int, const char*, struct stat*, int)>("fstatat");
    return fails("fstatat", name) ? -1 : real(fd, name, st, flags);
}

int fstatat64(int fd, const char* name, struct stat64* st, int flags) {
    static auto real = next<int (*)(int, const char*, struct stat64*, int)>("fstatat64");
    return fails("fstatat", name) ? -1 : real(fd, name, st, flags);
}

int lstat(const char* path, struct stat* st) {
    static auto real = next<int (*)(const char*, struct stat*)>("lstat");
    return fails("lstat", path) ? -1 : real(path, st);
}

int lstat64(const char* path, struct stat64* st) {
    static auto real = next<int (*)(const char*, struct stat64*)>("lstat64");
    return fails("lstat", path) ? -1 : real(path, st);
}

int open(const char* path, int flags, ...) {
    va_list args;
    va_start(args, flags);
    const int fd = openVia("open", path, flags, args);
    va_end(args);
    return fd;
}

int openat(int at, const char* path, int flags, ...) {
    static auto real = next<int (*)(int, const char*, int, ...)>("openat");
    va_list args;
    va_start(args, flags);
    const mode_t mode = (flags & O_CREAT) ? va_arg(args, mode_t) : 0;
    va_end(args);
    return fails("open", path) ? -1 : real(at, path, flags, mode);
}

// What open and openat become in a program built with _FORTIFY_SOURCE (no mode argument).
int __open_2(const char* path, int flags) {
    static auto real = next<int (*)(const char*, int)>("__open_2");
    return fails("open", path) ? -1 : real(path, flags);
}

int __openat_2(int at, const char* path, int flags) {
    static auto real = next<int (*)(int, const char*, int)>("__openat_2");
    return fails("open", path) ? -1 : real(at, path, flags);
}

int __open64_2(const char* path, int flags) __attribute__((alias("__open_2")));
int __openat64_2(int at, const char* path, int flags) __attribute__((alias("__openat_2")));

// The same calls on this system: one interposer for both names.
int open64(const char* path, int flags, ...) __attribute__((alias("open")));
int openat64(int at, const char* path, int flags, ...) __attribute__((alias("openat")));

}  // extern "C"
