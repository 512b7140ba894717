// The Linux calls of EntryScan: names read once with readdir, metadata with fstatat on the
// open directory, attributes from the mode.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/EntryScan.h"
#include "platform/Errors.h"
#include "platform/LongPathLinux.h"
#include "platform/PackedTime.h"

namespace tabulist {
namespace {

// A drive root is a mount point: there the listing shows no "." and "..".
bool isMountRoot(int fd) {
#ifdef STATX_ATTR_MOUNT_ROOT
    struct statx sx;
    if (statx(fd, "", AT_EMPTY_PATH, STATX_BASIC_STATS, &sx) == 0 &&
        (sx.stx_attributes_mask & STATX_ATTR_MOUNT_ROOT))
        return (sx.stx_attributes & STATX_ATTR_MOUNT_ROOT) != 0;
#endif
    struct stat self, parent;
    if (fstat(fd, &self) != 0 || fstatat(fd, "..", &parent, 0) != 0) return false;
    return self.st_dev != parent.st_dev || self.st_ino == parent.st_ino;
}

int32_t attributesOf(const struct stat& st, const char* name) {
    int32_t attr = S_ISDIR(st.st_mode) ? AttrDirectory : AttrArchive;
    if (name[0] == '.' && !IsDotName(name)) attr |= AttrHidden;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) attr |= AttrReadOnly;
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode))
        attr |= AttrSystem;
    return attr;
}

int statAt(int fd, const char* name, struct stat& st, int flags) {
    int result;
    do result = fstatat(fd, name, &st, flags);
    while (result != 0 && errno == EINTR);
    return result == 0 ? 0 : errno;
}

// Metadata of an entry as the listing reports it: links by their target, a link whose
// target is missing (or loops) as the link itself, seen as a plain file. 0, or the errno
// value that kept it from being read (ENOENT: gone).
int statEntry(int fd, const char* name, struct stat& st) {
    const int err = statAt(fd, name, st, 0);
    if (err != ENOENT && err != ELOOP) return err;
    if (const int linkErr = statAt(fd, name, st, AT_SYMLINK_NOFOLLOW)) return linkErr;
    if (!S_ISLNK(st.st_mode)) return ENOENT;  // replaced meanwhile; gone as it was
    st.st_mode = (st.st_mode & ~S_IFMT) | S_IFREG;
    return 0;
}

}  // namespace

struct FolderHandle {
    int fd;
};

int OpenFolder(const QByteArray& directory, FolderHandle*& out) {
    const int fd = OpenAnyLength(directory, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return InOutCodeFromErrno(errno);
    out = new FolderHandle{fd};
    return 0;
}

void CloseFolder(FolderHandle* folder) {
    close(folder->fd);
    delete folder;
}

bool FolderShowsDots(FolderHandle& folder) { return !isMountRoot(folder.fd); }

int ReadFolderNames(FolderHandle& folder, FolderNameReceiver& names) {
    // The directory stream gets its own descriptor: the folder's outlives it for fstatat.
    const int streamFd = dup(folder.fd);
    DIR* dir = streamFd >= 0 ? fdopendir(streamFd) : nullptr;
    if (!dir) {
        const int err = errno;
        if (streamFd >= 0) close(streamFd);
        return InOutCodeFromErrno(err);
    }
    int err = 0;
    for (;;) {
        errno = 0;  // readdir tells the end from a failure by errno alone
        const dirent* e = readdir(dir);
        if (e) {
            names.add(e->d_name, std::strlen(e->d_name));
        } else if (errno != EINTR) {
            err = errno;
            break;
        }
    }
    closedir(dir);
    return err != 0 ? InOutCodeFromErrno(err) : 0;
}

EntryMeta FetchEntryMeta(const FolderHandle& folder, const char* name, bool skipHidden) {
    EntryMeta meta;
    if (skipHidden && name[0] == '.' && !IsDotName(name)) return meta;
    struct stat st;
    if (const int err = statEntry(folder.fd, name, st)) {
        if (err == ENOENT) return meta;  // gone since its name was read
        // Listed by its name all the same, as a file whose details are unknown.
        meta.attr = AttrArchive | (name[0] == '.' && !IsDotName(name) ? AttrHidden : 0);
        meta.failure = InOutCodeFromErrno(err);
        return meta;
    }
    meta.attr = attributesOf(st, name);
    meta.size = S_ISDIR(st.st_mode) ? 0 : int64_t(st.st_size);
    meta.modified = int64_t(st.st_mtim.tv_sec);
    meta.time = PackLocalTime(st.st_mtim.tv_sec);
    return meta;
}

}  // namespace tabulist
