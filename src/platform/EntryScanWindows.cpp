// The Windows calls of EntryScan: one FindFirstFileExW/FindNextFileW pass reads the names
// and their attributes, sizes and times together; fetching an entry's metadata looks it up.
#include <unordered_map>

#include "platform/EntryScan.h"
#include "platform/Errors.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

struct FolderHandle {
    std::wstring directory;  // wide, "\" separated
    // Filled by ReadFolderNames and only read afterwards, so that the threads fetching
    // ahead may look entries up at the same time.
    std::unordered_map<std::string, EntryMeta> entries;
};

namespace {

EntryMeta MetaOf(const WIN32_FIND_DATAW& found) {
    EntryMeta meta;
    // The volume-label bit never comes from a folder; the bits above it are not the listing's.
    meta.attr = int32_t(found.dwFileAttributes &
                        (AttrReadOnly | AttrHidden | AttrSystem | AttrDirectory | AttrArchive));
    if ((meta.attr & AttrDirectory) == 0)
        meta.size = int64_t(uint64_t(found.nFileSizeHigh) << 32 | found.nFileSizeLow);
    meta.modified = SecondsSince1970(found.ftLastWriteTime);
    meta.time = PackedLocalTime(found.ftLastWriteTime);
    return meta;
}

}  // namespace

int OpenFolder(const QByteArray& directory, FolderHandle*& out) {
    std::wstring wide = WidePath(directory);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return InOutCodeFromWin32(GetLastError());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return 3;
    out = new FolderHandle{std::move(wide), {}};
    return 0;
}

void CloseFolder(FolderHandle* folder) { delete folder; }

bool FolderShowsDots(FolderHandle& folder) {
    // A volume's root ("C:\", a share's "\\server\share\") is its own volume path.
    wchar_t full[MAX_PATH + 1], volume[MAX_PATH + 1];
    const DWORD n = GetFullPathNameW(folder.directory.c_str(), MAX_PATH + 1, full, nullptr);
    if (n == 0 || n > MAX_PATH) return true;
    std::wstring path(full, n);
    if (path.back() != L'\\') path += L'\\';
    if (!GetVolumePathNameW(path.c_str(), volume, MAX_PATH + 1)) return true;
    return CompareStringOrdinal(volume, -1, path.c_str(), -1, TRUE) != CSTR_EQUAL;
}

int ReadFolderNames(FolderHandle& folder, FolderNameReceiver& names) {
    std::wstring pattern = folder.directory;
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        // An empty root has no entries at all, not even "." and "..".
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES
                   ? 0
                   : InOutCodeFromWin32(error);
    }
    int code = 0;
    do {
        std::string name = Utf8FromWide(found.cFileName, wcslen(found.cFileName)).toStdString();
        names.add(name.c_str(), name.size());
        folder.entries.insert_or_assign(std::move(name), MetaOf(found));
    } while (FindNextFileW(find, &found));
    if (const DWORD error = GetLastError(); error != ERROR_NO_MORE_FILES)
        code = InOutCodeFromWin32(error);  // the names so far are kept; the rest are missing
    FindClose(find);
    return code;
}

EntryMeta FetchEntryMeta(const FolderHandle& folder, const char* name, bool skipHidden) {
    const auto it = folder.entries.find(name);
    if (it == folder.entries.end()) return EntryMeta();
    if (skipHidden && (it->second.attr & AttrHidden)) return EntryMeta();
    return it->second;
}

}  // namespace tabulist
