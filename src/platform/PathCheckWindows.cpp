// CheckPath and IdentifyFolder through GetFileAttributesW and the file's volume and index.
#include "platform/PathCheck.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

PathCheck CheckPath(const QByteArray& rawPath) {
    const DWORD attributes = GetFileAttributesW(WidePath(rawPath).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return {PathCheck::Unreachable, Win32Message(GetLastError())};
    return {
        (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathCheck::Directory : PathCheck::NotDirectory,
        {}};
}

bool IsAbsolutePath(const QByteArray& rawPath) {
    const auto separator = [](char c) { return c == '/' || c == '\\'; };
    if (rawPath.size() >= 2 && separator(rawPath[0]) && separator(rawPath[1])) return true;
    return rawPath.size() >= 3 && rawPath[1] == ':' && separator(rawPath[2]);
}

bool IdentifyFolder(const QByteArray& rawPath, bool followLinks, FolderIdentity& identity,
                    int* failure) {
    const std::wstring path = WidePath(rawPath);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (failure) {
        const DWORD error = attributes == INVALID_FILE_ATTRIBUTES ? GetLastError() : 0;
        const bool absent = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        *failure = error != 0 && !absent ? InOutCodeFromWin32(error) : 0;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    // A junction or a directory link counts as a folder only when links are followed.
    if (!followLinks && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
    const HANDLE folder =
        CreateFileW(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return false;
    BY_HANDLE_FILE_INFORMATION info;
    const bool known = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!known) return false;
    identity.device = info.dwVolumeSerialNumber;
    identity.inode = uint64_t(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
    return true;
}

}  // namespace tabulist
