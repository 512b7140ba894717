// Whole-file reads on Windows.
#include <QFile>

#include "platform/FileStore.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

size_t ReadFileStart(const QString& path, void* buffer, size_t size) {
    const HANDLE file =
        CreateFileW(WidePath(path.toUtf8()).c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) ThrowWin32(GetLastError());
    auto* bytes = static_cast<unsigned char*>(buffer);
    size_t got = 0;
    while (got < size) {
        DWORD n = 0;
        if (!ReadFile(file, bytes + got, DWORD(size - got), &n, nullptr)) {
            const DWORD error = GetLastError();
            CloseHandle(file);
            ThrowWin32(error);
        }
        if (n == 0) break;
        got += n;
    }
    CloseHandle(file);
    return got;
}

}  // namespace tabulist
