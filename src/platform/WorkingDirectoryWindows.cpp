// The working directory through GetCurrentDirectoryW and SetCurrentDirectoryW.
#include "platform/WindowsCalls.h"
#include "platform/WorkingDirectory.h"

namespace tabulist {

QByteArray ReadWorkingDirectory() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetCurrentDirectoryW(DWORD(buffer.size()), buffer.data());
        if (n == 0) ThrowWin32(GetLastError());
        if (n < buffer.size()) {
            buffer.resize(n);
            break;
        }
        buffer.resize(n);
    }
    // "C:\" keeps its separator; a folder's path has none at its end.
    return RawPathFromWide(buffer);
}

void ChangeWorkingDirectory(const QByteArray& rawPath) {
    if (!TryChangeWorkingDirectory(rawPath)) ThrowWin32(GetLastError());
}

bool TryChangeWorkingDirectory(const QByteArray& rawPath) {
    return SetCurrentDirectoryW(WidePath(rawPath).c_str());
}

}  // namespace tabulist
