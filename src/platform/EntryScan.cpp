// The system-neutral part of EntryScan: the names in order, and their metadata fetched when
// reached, ahead on the pool, or all at once. The system's calls are in EntryScan<System>.cpp.
#include "platform/EntryScan.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "platform/EntryScanAhead.h"
#include "platform/MaskMatcher.h"
#include "platform/NameCoding.h"
#include "platform/WorkerPool.h"

namespace tabulist {
namespace {

// memcmp's order over the common length, then the shorter first; eight bytes at a time,
// inline, since sorting a large folder compares names millions of times.
int CompareBytes(const char* a, size_t aLength, const char* b, size_t bLength) {
    const size_t common = std::min(aLength, bLength);
    size_t i = 0;
    for (; i + 8 <= common; i += 8) {
        uint64_t x, y;
        std::memcpy(&x, a + i, 8);
        std::memcpy(&y, b + i, 8);
        if (x != y) {
            if constexpr (std::endian::native == std::endian::little) {
                x = __builtin_bswap64(x);
                y = __builtin_bswap64(y);
            }
            return x < y ? -1 : 1;
        }
    }
    for (; i < common; ++i)
        if (a[i] != b[i])
            return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[i]) ? -1 : 1;
    return aLength < bLength ? -1 : aLength > bLength ? 1 : 0;
}

}  // namespace

ScannedFolder::~ScannedFolder() { closeDirectory(); }

void ScannedFolder::closeDirectory() {
    if (handle) CloseFolder(handle);
    handle = nullptr;
}

EntryMeta ScannedFolder::fetch(size_t index) const {
    if (!handle) return EntryMeta();
    return FetchEntryMeta(*handle, nameOf(items[index]), skipHidden);
}

EntryScan::~EntryScan() = default;

int EntryScan::open(const QByteArray& directory, const MaskMatcher& mask, uint32_t excludeMask,
                    EntryOrder order, const MetadataFetch& fetch, std::unique_ptr<EntryScan>& out) {
    std::unique_ptr<EntryScan> scan(new EntryScan);
    auto folder = std::make_shared<ScannedFolder>();
    scan->folder_ = folder;
    folder->skipHidden = (excludeMask & AttrHidden) != 0;
    if (const int code = OpenFolder(directory, folder->handle)) return code;
    // A folder whose reading failed part-way lists the entries read, then tells.
    scan->readError_ = scan->readNames(mask, FolderShowsDots(*folder->handle));
    if (folder->items.empty()) return scan->readError_ ? scan->readError_ : ScanNothingFound;
    scan->sortNames();
    if (!order.isDefault()) {
        scan->applyOrder(order, fetch);
        if (folder->items.empty())  // every one passed over
            return scan->readError_ ? scan->readError_ : ScanNothingFound;
    }
    scan->fetchAheadIfLarge(fetch);
    out = std::move(scan);
    return 0;
}

void EntryScan::fetchAheadIfLarge(const MetadataFetch& fetch) {
    // Below the threshold a thread hand-over costs more than the calls it would spread.
    if (fetched_.empty() && !ahead_ && folder_->items.size() >= fetch.minEntries) {
        WorkerPool& pool = fetch.workers();
        ahead_ = std::make_unique<MetadataAhead>(folder_, pool);
    }
}

void EntryScan::fetchAll() {
    if (!fetched_.empty() || next_ != 0 || ahead_) return;
    const size_t count = folder_->items.size();
    fetched_.resize(count);
    for (size_t i = 0; i < count; ++i) fetched_[i] = folder_->fetch(i);
    folder_->closeDirectory();
}

int EntryScan::readNames(const MaskMatcher& mask, bool keepDots) {
    struct Receiver final : FolderNameReceiver {
        Receiver(EntryScan& s, const MaskMatcher& m, bool k) : scan(s), mask(m), keepDots(k) {}
        void add(const char* name, size_t size) override {
            if (!IsDotName(name)) {
                scan.addName(name, size, mask);
            } else if (keepDots && scan.addName(name, size, mask)) {
                // Kept apart from the sort; the system may hand them over in any order.
                std::vector<Item>& items = scan.folder_->items;
                dots.push_back(items.back());
                items.pop_back();
            }
        }
        EntryScan& scan;
        const MaskMatcher& mask;
        const bool keepDots;
        std::vector<Item> dots;
    } receiver(*this, mask, keepDots);
    const int code = ReadFolderNames(*folder_->handle, receiver);
    std::vector<Item>& dots = receiver.dots;
    std::sort(dots.begin(), dots.end(),
              [](const Item& a, const Item& b) { return a.rawLength < b.rawLength; });
    folder_->dotItems = dots.size();
    std::vector<Item>& items = folder_->items;
    items.insert(items.begin(), dots.begin(), dots.end());
    return code;
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
    // An ASCII name's folded text is its bytes folded one by one; the mask "*" needs no text.
    const bool needText = !ascii || !mask.matchesAll();
    if (ascii && needText) {
        text.clear();
        for (size_t i = 0; i < size; ++i) {
            const auto b = static_cast<unsigned char>(raw[i]);
            text.push_back(b < 0x20 || b == 0x7F ? U'?' : FoldCase(char32_t(b)));
        }
    } else if (!ascii) {
        DecodeName(raw, size, text);
        FoldCase(text);
    }
    if (needText && !mask.matches(text)) return false;

    std::vector<char>& names = folder_->names;
    std::vector<char>& keys = folder_->keys;
    ScannedFolder::Item item;
    item.raw = uint32_t(names.size());
    item.rawLength = uint16_t(size);
    names.insert(names.end(), raw, raw + size + 1);
    item.keyInNames = plain;
    if (plain) {
        item.key = item.raw;
        item.keyLength = item.rawLength;
    } else if (ascii) {
        item.key = uint32_t(keys.size());
        item.keyLength = item.rawLength;
        keys.resize(keys.size() + size);
        char* key = keys.data() + item.key;
        for (size_t i = 0; i < size; ++i) {
            const auto b = static_cast<unsigned char>(raw[i]);
            key[i] = char(b < 0x20 || b == 0x7F ? '?' : b >= 'A' && b <= 'Z' ? b + 32 : b);
        }
    } else {
        item.key = uint32_t(keys.size());
        for (char32_t c : text) AppendUtf8(c, keys);
        item.keyLength = uint16_t(keys.size() - item.key);
    }
    folder_->items.push_back(item);
    return true;
}

const char* EntryScan::keyOf(const ScannedFolder::Item& item) const {
    return (item.keyInNames ? folder_->names.data() : folder_->keys.data()) + item.key;
}

void EntryScan::sortNames() {
    const char* names = folder_->names.data();
    const char* keys = folder_->keys.data();
    auto less = [names, keys](const Item& a, const Item& b) {
        // Folded text first; names that fold alike in byte order.
        const int c = CompareBytes((a.keyInNames ? names : keys) + a.key, a.keyLength,
                                   (b.keyInNames ? names : keys) + b.key, b.keyLength);
        if (c != 0) return c < 0;
        return CompareBytes(names + a.raw, a.rawLength, names + b.raw, b.rawLength) < 0;
    };
    std::vector<Item>& items = folder_->items;
    std::sort(items.begin() + std::ptrdiff_t(folder_->dotItems), items.end(), less);
}

int EntryScan::next(TSearchRec& rec) {
    const ScannedFolder& folder = *folder_;
    while (next_ < folder.items.size()) {
        const size_t index = next_++;
        const EntryMeta fetched = !fetched_.empty() ? fetched_[index]
                                  : ahead_          ? ahead_->at(index)
                                                    : folder.fetch(index);
        if (fetched.attr < 0 || (uint32_t(fetched.attr) & rec.ExcludeMask)) continue;
        rec.Attr = fetched.attr;
        rec.Size = fetched.size;
        rec.Time = fetched.time;
        rec.ModifiedTime = fetched.modified;
        rec.MetadataError = fetched.failure;
        const ScannedFolder::Item& item = folder.items[index];
        SetEntryName(rec, folder.nameOf(item), item.rawLength);
        return 0;
    }
    return readError_ ? readError_ : ScanNoMoreFiles;
}

}  // namespace tabulist
