// The temporary trees of the tests and the working directory, on Windows: wide calls on the
// UTF-8 names the tests use.
#include <windows.h>

#include <QDir>
#include <stdexcept>
#include <string>

#include "support/Fixture.h"
#include "support/OnWindows.h"

namespace tabulist::test {
namespace {

std::wstring Wide(const QByteArray& path) {
    std::wstring wide = QString::fromUtf8(path).toStdWString();
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    return wide;
}

[[noreturn]] void fail(const char* what, const QByteArray& path) {
    throw std::runtime_error(std::string("fixture: ") + what + " " + path.toStdString() +
                             ": Windows error " + std::to_string(GetLastError()));
}

// Removes everything below dir, clearing read-only bits first so that a test's
// attributes cannot leave debris behind.
void removeContents(const std::wstring& dir) {
    WIN32_FIND_DATAW found;
    const HANDLE find = FindFirstFileW((dir + L"\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = dir + L'\\' + name;
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) removeContents(path);
            RemoveDirectoryW(path.c_str());
        } else {
            DeleteFileW(path.c_str());
        }
    } while (FindNextFileW(find, &found));
    FindClose(find);
}

FILETIME FileTimeOf(qint64 msSince1970) {
    const uint64_t ticks = uint64_t(msSince1970 * 10000 + 116444736000000000LL);
    return {DWORD(ticks), DWORD(ticks >> 32)};
}

HANDLE CreateNew(const QByteArray& p) {
    const HANDLE file = CreateFileW(Wide(p).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("create", p);
    return file;
}

}  // namespace

Fixture::Fixture() {
    const QByteArray base = QDir::tempPath().toUtf8() + "/tabulist-test-";
    for (unsigned n = GetTickCount();; ++n) {
        const QByteArray candidate = base + QByteArray::number(n, 36);
        if (CreateDirectoryW(Wide(candidate).c_str(), nullptr)) {
            root_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) fail("mkdir", candidate);
    }
}

Fixture::~Fixture() {
    removeContents(Wide(root_));
    RemoveDirectoryW(Wide(root_).c_str());
}

QByteArray Fixture::path(const QByteArray& name) const {
    return name.isEmpty() ? root_ : root_ + '/' + name;
}

QByteArray Fixture::file(const QByteArray& name, int64_t size) {
    const QByteArray p = path(name);
    const HANDLE file = CreateNew(p);
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    if (!sized) fail("size", p);
    return p;
}

QByteArray Fixture::file(const QByteArray& name, const QByteArray& content) {
    const QByteArray p = path(name);
    const HANDLE file = CreateNew(p);
    DWORD written = 0;
    const bool ok =
        ::WriteFile(file, content.constData(), DWORD(content.size()), &written, nullptr);
    CloseHandle(file);
    if (!ok || written != DWORD(content.size())) fail("write", p);
    return p;
}

QByteArray Fixture::dir(const QByteArray& name) {
    const QByteArray p = path(name);
    if (!CreateDirectoryW(Wide(p).c_str(), nullptr)) fail("mkdir", p);
    return p;
}

QByteArray Fixture::symlink(const QByteArray& name, const QByteArray& target) {
    const QByteArray p = path(name);
    const std::wstring to = Wide(target);
    const DWORD attributes = GetFileAttributesW((Wide(root_) + L'\\' + to).c_str());
    const DWORD flags =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)
            ? SYMBOLIC_LINK_FLAG_DIRECTORY
            : 0;
    if (!CreateSymbolicLinkW(Wide(p).c_str(), to.c_str(), flags)) fail("symlink", p);
    return p;
}

QByteArray Fixture::fifo(const QByteArray& name) {
    throw std::runtime_error("fixture: Windows has no FIFOs in folders: " + name.toStdString());
}

void Fixture::setTime(const QByteArray& name, const QDateTime& when, bool onLink) {
    const QByteArray p = path(name);
    const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (onLink ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const HANDLE file =
        CreateFileW(Wide(p).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) fail("open", p);
    const FILETIME time = FileTimeOf(when.toMSecsSinceEpoch());
    const bool set = SetFileTime(file, nullptr, &time, &time);
    CloseHandle(file);
    if (!set) fail("SetFileTime", p);
}

void Fixture::setLocalTime(const QByteArray& name, int year, int month, int day, int hour,
                           int minute, int second) {
    // The system's own idea of local time, which the program reads back.
    const SYSTEMTIME local{WORD(year),   WORD(month),  0, WORD(day), WORD(hour),
                           WORD(minute), WORD(second), 0};
    SYSTEMTIME utc;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc)) fail("local time", name);
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    const int64_t ticks = int64_t(uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime);
    setTime(name, QDateTime::fromMSecsSinceEpoch((ticks - 116444736000000000LL) / 10000));
}

void Fixture::setMode(const QByteArray& name, mode_t mode) {
    // What Windows keeps of a mode: read-only when no one may write.
    const QByteArray p = path(name);
    const std::wstring wide = Wide(p);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) fail("attributes", p);
    if (mode & 0222)
        attributes &= ~DWORD(FILE_ATTRIBUTE_READONLY);
    else
        attributes |= FILE_ATTRIBUTE_READONLY;
    if (!SetFileAttributesW(wide.c_str(), attributes)) fail("SetFileAttributesW", p);
}

void Fixture::remove(const QByteArray& name) {
    const QByteArray p = path(name);
    const std::wstring wide = Wide(p);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) fail("attributes", p);
    const bool removed = (attributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(wide.c_str())
                                                                 : DeleteFileW(wide.c_str());
    if (!removed) fail("remove", p);
}

QByteArray RealPath(const QByteArray& path) {
    // As the platform layer reports the working directory: "/" separators, drive in capitals.
    wchar_t full[32768];
    if (!GetFullPathNameW(Wide(path).c_str(), 32768, full, nullptr)) fail("full path", path);
    QByteArray out = QString::fromWCharArray(full).toUtf8().replace('\\', '/');
    if (out.size() >= 2 && out[1] == ':') out[0] = char(QChar::toUpper(uint(out[0])));
    return out;
}

void ChangeDirectory(const QByteArray& path) {
    if (!SetCurrentDirectoryW(Wide(path).c_str())) fail("chdir", path);
}

WorkingDirectoryGuard::WorkingDirectoryGuard() : saved_(RealPath(".")) {}

WorkingDirectoryGuard::~WorkingDirectoryGuard() { SetCurrentDirectoryW(Wide(saved_).c_str()); }

bool UnderWine() {
    return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
}

// Windows has no per-process limits of file size or handles to lower: the tests that need
// them skip on Windows before they get here.
FileSizeLimit::FileSizeLimit(unsigned long long) {
    throw std::runtime_error("no file-size limit on Windows");
}
FileSizeLimit::~FileSizeLimit() = default;
DescriptorLimit::DescriptorLimit(int) {
    throw std::runtime_error("no descriptor limit on Windows");
}
DescriptorLimit::~DescriptorLimit() = default;

}  // namespace tabulist::test
