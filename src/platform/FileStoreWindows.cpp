// Whole-file reads on Windows; checksums read with the sequential-scan hint.
#include <QFile>
#include <algorithm>

#include "platform/FileStore.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

namespace {

class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid()) CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    void reset(HANDLE handle) {
        if (valid()) CloseHandle(handle_);
        handle_ = handle;
    }

private:
    HANDLE handle_;
};

HANDLE OpenForReading(const std::wstring& path, DWORD flags) {
    // Others may go on writing, renaming and removing while a checksum is read, as on Linux.
    return CreateFileW(path.c_str(), GENERIC_READ,
                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, flags | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

}  // namespace

size_t ReadFileStart(const QString& path, void* buffer, size_t size) {
    const Handle file(CreateFileW(WidePath(path.toUtf8()).c_str(), GENERIC_READ | GENERIC_WRITE,
                                  FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!file.valid()) ThrowWin32(GetLastError());
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t got = 0;
    while (got < size) {
        DWORD n = 0;
        if (!ReadFile(file.get(), bytes + got, DWORD(size - got), &n, nullptr))
            ThrowWin32(GetLastError());
        if (n == 0) break;
        got += n;
    }
    return got;
}

int ReadSequentially(const QByteArray& path, char* buffer, size_t size,
                     const std::function<bool(const char*, size_t)>& consume) {
    const std::wstring wide = WidePath(path);
    // The link itself, not its target, as O_NOFOLLOW does; other reparse points (cloud and
    // deduplicated files) are files and are read through.
    Handle file(OpenForReading(wide, FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT));
    if (!file.valid()) return InOutCodeFromWin32(GetLastError());
    FILE_ATTRIBUTE_TAG_INFO tag{};
    if (!GetFileInformationByHandleEx(file.get(), FileAttributeTagInfo, &tag, sizeof tag))
        return InOutCodeFromWin32(GetLastError());
    if (tag.FileAttributes & FILE_ATTRIBUTE_DIRECTORY) return ReadNotRegularFile;
    if (tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        if (IsReparseTagNameSurrogate(tag.ReparseTag)) return ReadNotRegularFile;
        file.reset(OpenForReading(wide, FILE_FLAG_SEQUENTIAL_SCAN));
        if (!file.valid()) return InOutCodeFromWin32(GetLastError());
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return ReadNotRegularFile;
    const DWORD chunk = DWORD(std::min<size_t>(size, 1u << 30));
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, chunk, &got, nullptr))
            return InOutCodeFromWin32(GetLastError());
        if (got == 0) return 0;
        if (!consume(buffer, got)) return 0;
    }
}

}  // namespace tabulist
