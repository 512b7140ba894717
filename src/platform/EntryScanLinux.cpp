#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/EntryScan.h"
#include "platform/Errors.h"
#include "platform/MaskMatcher.h"
#include "platform/NameCoding.h"
#include "platform/PackedTime.h"

namespace tabulist {
namespace {

bool isDotName(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

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
    if (name[0] == '.' && !isDotName(name)) attr |= AttrHidden;
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

void factsOf(const struct stat& st, const char* name, int32_t& attr, int64_t& size, int64_t& time) {
    attr = attributesOf(st, name);
    size = S_ISDIR(st.st_mode) ? 0 : int64_t(st.st_size);
    time = int64_t(st.st_mtim.tv_sec);
}

}  // namespace

EntryScan::~EntryScan() {
    if (fd_ >= 0) close(fd_);
}

int EntryScan::open(const QByteArray& directory, const MaskMatcher& mask, EntryOrder order,
                    std::unique_ptr<EntryScan>& out) {
    std::unique_ptr<EntryScan> scan(new EntryScan);
    scan->fd_ = ::open(directory.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (scan->fd_ < 0) return InOutCodeFromErrno(errno);
    // The directory stream gets its own descriptor: fd_ outlives it for fstatat.
    const int streamFd = dup(scan->fd_);
    DIR* dir = streamFd >= 0 ? fdopendir(streamFd) : nullptr;
    if (!dir) {
        const int err = errno;
        if (streamFd >= 0) close(streamFd);
        return InOutCodeFromErrno(err);
    }
    scan->readNames(dir, mask, !isMountRoot(scan->fd_));
    closedir(dir);
    if (scan->items_.empty()) return 2;  // nothing matches
    scan->sortNames();
    if (!order.isDefault()) scan->applyOrder(order);
    if (scan->items_.empty()) return 2;  // every one gone meanwhile
    out = std::move(scan);
    return 0;
}

void EntryScan::readNames(void* stream, const MaskMatcher& mask, bool keepDots) {
    DIR* dir = static_cast<DIR*>(stream);
    std::vector<Item> dots;
    while (dirent* e = readdir(dir)) {
        const size_t size = std::strlen(e->d_name);
        if (isDotName(e->d_name)) {
            // Kept apart from the sort; readdir may hand them over in any order.
            if (keepDots && addName(e->d_name, size, mask)) {
                dots.push_back(items_.back());
                items_.pop_back();
            }
            continue;
        }
        addName(e->d_name, size, mask);
    }
    std::sort(dots.begin(), dots.end(),
              [](const Item& a, const Item& b) { return a.rawLength < b.rawLength; });
    dotItems_ = dots.size();
    items_.insert(items_.begin(), dots.begin(), dots.end());
}

bool EntryScan::addName(const char* raw, size_t size, const MaskMatcher& mask) {
    static thread_local std::u32string text;
    bool plain = true;  // ASCII without upper case or controls: the key is the name itself
    bool ascii = true;
    for (size_t i = 0; i < size; ++i) {
        const auto b = static_cast<unsigned char>(raw[i]);
        if (b >= 0x80) {
            ascii = plain = false;
            break;
        }
        if (b < 0x20 || b == 0x7F || (b >= 'A' && b <= 'Z')) plain = false;
    }
    if (ascii) {
        text.clear();
        for (size_t i = 0; i < size; ++i) {
            const auto b = static_cast<unsigned char>(raw[i]);
            text.push_back(b < 0x20 || b == 0x7F ? U'?' : FoldCase(char32_t(b)));
        }
    } else {
        DecodeName(raw, size, text);
        FoldCase(text);
    }
    if (!mask.matches(text)) return false;

    Item item;
    item.raw = uint32_t(names_.size());
    item.rawLength = uint16_t(size);
    names_.insert(names_.end(), raw, raw + size + 1);
    item.keyInNames = plain;
    if (plain) {
        item.key = item.raw;
        item.keyLength = item.rawLength;
    } else {
        item.key = uint32_t(keys_.size());
        for (char32_t c : text) AppendUtf8(c, keys_);
        item.keyLength = uint16_t(keys_.size() - item.key);
    }
    items_.push_back(item);
    return true;
}

const char* EntryScan::keyOf(const Item& item) const {
    return (item.keyInNames ? names_.data() : keys_.data()) + item.key;
}

void EntryScan::sortNames() {
    std::sort(items_.begin() + std::ptrdiff_t(dotItems_), items_.end(),
              [this](const Item& a, const Item& b) { return nameLess(a, b); });
}

void EntryScan::statAll() {
    facts_.clear();
    facts_.reserve(items_.size());
    size_t kept = 0, keptDots = 0;
    for (size_t i = 0; i < items_.size(); ++i) {
        const char* name = names_.data() + items_[i].raw;
        struct stat st;
        if (!statEntry(fd_, name, st)) continue;  // gone since its name was read
        Facts facts;
        factsOf(st, name, facts.attr, facts.size, facts.time);
        facts_.push_back(facts);
        if (i < dotItems_) ++keptDots;
        items_[kept++] = items_[i];
    }
    items_.resize(kept);
    dotItems_ = keptDots;
}

int EntryScan::next(TSearchRec& rec) {
    while (next_ < items_.size()) {
        const size_t index = next_++;
        const Item& item = items_[index];
        const char* name = names_.data() + item.raw;
        if ((rec.ExcludeMask & AttrHidden) && name[0] == '.' && !isDotName(name)) continue;
        Facts facts;
        if (!facts_.empty()) {
            facts = facts_[index];
        } else {
            struct stat st;
            if (!statEntry(fd_, name, st)) continue;  // gone since its name was read
            factsOf(st, name, facts.attr, facts.size, facts.time);
        }
        if (uint32_t(facts.attr) & rec.ExcludeMask) continue;
        rec.Attr = facts.attr;
        rec.Size = facts.size;
        rec.ModifiedTime = facts.time;
        rec.Time = PackLocalTime(time_t(facts.time));
        rec.RawName = QByteArray(name, item.rawLength);
        rec.Name = DisplayName(rec.RawName);
        return 0;
    }
    return ScanNoMoreFiles;
}

}  // namespace tabulist
