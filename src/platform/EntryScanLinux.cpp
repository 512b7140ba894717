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

// Metadata of an entry as the listing reports it: links by their target, a link whose
// target is missing (or loops) as the link itself, seen as a plain file.
bool statEntry(int fd, const char* name, struct stat& st) {
    if (fstatat(fd, name, &st, 0) == 0) return true;
    if (errno != ENOENT && errno != ELOOP) return false;
    if (fstatat(fd, name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISLNK(st.st_mode)) return false;
    st.st_mode = (st.st_mode & ~S_IFMT) | S_IFREG;
    return true;
}

}  // namespace

struct FolderHandle {
    int fd;
};

int OpenFolder(const QByteArray& directory, FolderHandle*& out) {
    const int fd = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    while (dirent* e = readdir(dir)) names.add(e->d_name, std::strlen(e->d_name));
    closedir(dir);
    return 0;
}

EntryMeta FetchEntryMeta(const FolderHandle& folder, const char* name, bool skipHidden) {
    EntryMeta meta;
    if (skipHidden && name[0] == '.' && !IsDotName(name)) return meta;
    struct stat st;
    if (!statEntry(folder.fd, name, st)) return meta;  // gone since its name was read
    meta.attr = attributesOf(st, name);
    meta.size = S_ISDIR(st.st_mode) ? 0 : int64_t(st.st_size);
    meta.modified = int64_t(st.st_mtim.tv_sec);
    meta.time = PackLocalTime(st.st_mtim.tv_sec);
    return meta;
}

}  // namespace tabulist
