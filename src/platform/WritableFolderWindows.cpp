// FolderWritable by creating a file there: the access a folder grants depends on the user's
// token, its ACL, the volume and virtualisation, and only the attempt answers for all of them.
#include "platform/WindowsCalls.h"
#include "platform/WritableFolder.h"

namespace tabulist {

bool FolderWritable(const QByteArray& rawPath) {
    std::wstring probe = WidePath(rawPath.isEmpty() ? QByteArray(".") : rawPath);
    if (probe.back() != L'\\') probe += L'\\';
    probe += L"~tabulist-" + std::to_wstring(GetCurrentProcessId()) + L".tmp";
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_HIDDEN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    DeleteFileW(probe.c_str());
    return true;
}

}  // namespace tabulist
