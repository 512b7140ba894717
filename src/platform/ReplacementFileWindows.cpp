// The Windows calls of ReplacementFile: wide file handles, FlushFileBuffers, and ReplaceFileW,
// which also hands the old file's attributes and security to the new one.
#include <cerrno>

#include "platform/ReplacementFileSystem.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

struct OpenedFile {
    HANDLE handle;
};

namespace {

int Opened(HANDLE handle, OpenedFile*& out) {
    if (handle == INVALID_HANDLE_VALUE) return ErrnoFromWin32(GetLastError());
    out = new OpenedFile{handle};
    return 0;
}

int LastErrno() { return ErrnoFromWin32(GetLastError()); }

}  // namespace

// The system follows symbolic links and junctions itself when a file is opened or replaced.
QByteArray FollowLinks(QByteArray path) { return path; }

TargetKind InspectTarget(const QByteArray& target) {
    const DWORD attributes = GetFileAttributesW(WidePath(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return TargetKind::Missing;
    return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? TargetKind::Directory : TargetKind::Regular;
}

int OpenExistingForWriting(const QByteArray& target, OpenedFile*& out) {
    return Opened(CreateFileW(WidePath(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr),
                  out);
}

int CreateTemporaryBeside(const QByteArray& target, QByteArray& name, OpenedFile*& out) {
    const qsizetype slash = target.lastIndexOf('/');
    const std::wstring dir = WidePath(slash < 0 ? QByteArray(".") : target.left(slash + 1));
    // GetTempFileNameW creates the file under a name no other file there has.
    wchar_t temporary[MAX_PATH + 1];
    if (!GetTempFileNameW(dir.c_str(), L"tab", 0, temporary)) return LastErrno();
    name = RawPathFromWide(temporary);
    // Shared for writing: a workbook is written into the temporary by its library, through a
    // second handle of its own.
    const HANDLE handle = CreateFileW(temporary, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                      nullptr, TRUNCATE_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const int err = LastErrno();
        DeleteFileW(temporary);
        return err;
    }
    return Opened(handle, out);
}

// ReplaceFileW carries the old file's attributes and security over when it commits.
void KeepOwnerAndMode(OpenedFile&, const QByteArray&) {}

int64_t WriteSome(OpenedFile& file, const char* data, int64_t size, int& error) {
    DWORD written = 0;
    const DWORD chunk = size > (1 << 30) ? DWORD(1) << 30 : DWORD(size);
    if (!WriteFile(file.handle, data, chunk, &written, nullptr)) {
        error = LastErrno();
        return -1;
    }
    return int64_t(written);
}

int TruncateFile(OpenedFile& file, int64_t size) {
    LARGE_INTEGER position;
    position.QuadPart = size;
    if (!SetFilePointerEx(file.handle, position, nullptr, FILE_BEGIN) || !SetEndOfFile(file.handle))
        return LastErrno();
    return 0;
}

int SyncFile(OpenedFile& file) { return FlushFileBuffers(file.handle) ? 0 : LastErrno(); }

int CloseFile(OpenedFile* file) {
    const bool closed = CloseHandle(file->handle);
    const int err = closed ? 0 : LastErrno();
    delete file;
    return err;
}

int RenameOver(const QByteArray& from, const QByteArray& to) {
    const std::wstring source = WidePath(from);
    const std::wstring target = WidePath(to);
    if (GetFileAttributesW(target.c_str()) != INVALID_FILE_ATTRIBUTES &&
        ReplaceFileW(target.c_str(), source.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                     nullptr, nullptr))
        return 0;
    // A new name, or a file system without ReplaceFileW's support: a plain move, written
    // through before it returns.
    if (MoveFileExW(source.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    return LastErrno();
}

// MOVEFILE_WRITE_THROUGH and ReplaceFileW leave nothing of the folder to flush.
void SyncFolderOf(const QByteArray&) {}

void RemoveFile(const QByteArray& path) { DeleteFileW(WidePath(path).c_str()); }

}  // namespace tabulist
