// Conversions between the program's raw UTF-8 paths and the system's wide ones, and the
// system's error codes as the program reports them.
#include "platform/WindowsCalls.h"

#include <cerrno>

#include "platform/Errors.h"
#include "platform/PackedTime.h"

namespace tabulist {

std::wstring WidePath(const QByteArray& rawPath) {
    std::wstring wide;
    if (!rawPath.isEmpty()) {
        const int n =
            MultiByteToWideChar(CP_UTF8, 0, rawPath.constData(), int(rawPath.size()), nullptr, 0);
        wide.resize(size_t(n));
        MultiByteToWideChar(CP_UTF8, 0, rawPath.constData(), int(rawPath.size()), wide.data(), n);
    }
    for (wchar_t& c : wide)
        if (c == L'/') c = L'\\';
    if (wide.size() == 2 && wide[1] == L':') wide += L'\\';
    // Past MAX_PATH a full path needs the prefix that turns the length limit off.
    if (wide.size() >= MAX_PATH - 12) {
        if (wide.size() > 2 && wide[1] == L':' && wide[2] == L'\\')
            wide.insert(0, L"\\\\?\\");
        else if (wide.rfind(L"\\\\", 0) == 0 && wide.rfind(L"\\\\?\\", 0) != 0)
            wide.replace(0, 2, L"\\\\?\\UNC\\");
    }
    return wide;
}

QByteArray Utf8FromWide(const wchar_t* text, size_t length) {
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, int(length), nullptr, 0, nullptr, nullptr);
    QByteArray utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, int(length), utf8.data(), n, nullptr, nullptr);
    return utf8;
}

QByteArray RawPathFromWide(const std::wstring& path) {
    QByteArray raw = Utf8FromWide(path);
    raw.replace('\\', '/');
    if (raw.size() >= 2 && raw[1] == ':' && raw[0] >= 'a' && raw[0] <= 'z') raw[0] = raw[0] - 32;
    return raw;
}

int InOutCodeFromWin32(DWORD error) {
    switch (error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return 101;
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
        case ERROR_FILENAME_EXCED_RANGE:
            return 3;
        default:
            return int(error);
    }
}

void ThrowWin32(DWORD error) { throw EInOutError(InOutCodeFromWin32(error)); }

int ErrnoFromWin32(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return ENOENT;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_DIRECTORY:
            return ENOTDIR;
        case ERROR_FILENAME_EXCED_RANGE:
            return ENAMETOOLONG;
        case ERROR_TOO_MANY_OPEN_FILES:
            return EMFILE;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
        case ERROR_WRITE_PROTECT:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}

QString Win32Message(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    QString message =
        n ? QString::fromWCharArray(text, int(n)).trimmed() : QStringLiteral("Error %1").arg(error);
    LocalFree(text);
    return message;
}

namespace {
constexpr int64_t TicksPerSecond = 10000000;
constexpr int64_t TicksTo1970 = 116444736000000000;  // 1601-01-01 to 1970-01-01

int64_t Ticks(const FILETIME& time) {
    return int64_t(uint64_t(time.dwHighDateTime) << 32 | time.dwLowDateTime);
}
}  // namespace

int64_t SecondsSince1970(const FILETIME& time) {
    const int64_t ticks = Ticks(time) - TicksTo1970;
    // Whole seconds rounded down, also before 1970.
    return ticks >= 0 ? ticks / TicksPerSecond : -((-ticks + TicksPerSecond - 1) / TicksPerSecond);
}

int32_t PackedLocalTime(const FILETIME& time) {
    FILETIME local = time;
    WORD date = 0, clock = 0;
    if (FileTimeToLocalFileTime(&time, &local) && FileTimeToDosDateTime(&local, &date, &clock))
        return int32_t(uint32_t(date) << 16 | clock);
    // Outside the packed range: the nearest end of it.
    SYSTEMTIME fields{};
    const bool early = !FileTimeToSystemTime(&local, &fields) || fields.wYear < 1980;
    return early ? PackFields(1980, 1, 1, 0, 0, 0) : PackFields(2107, 12, 31, 23, 59, 58);
}

}  // namespace tabulist
