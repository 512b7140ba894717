#pragma once

#include <QByteArray>
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/Entries.h"

namespace tabulist {

class MaskMatcher;
class MetadataAhead;

// What fetching one entry's metadata found.
struct EntryMeta {
    int64_t size = 0;
    int64_t modified = 0;  // seconds since 1970, neither packed nor clamped
    int32_t time = 0;      // packed local time
    int32_t attr = -1;     // -1: passed over (a hidden name not asked for, or gone meanwhile)
};

// "." or "..": kept in front of the sorted names, never hidden.
inline bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// An open folder as one operating system holds it; defined in that system's file
// (EntryScanLinux.cpp), which supplies the calls below and nothing else of the scan.
struct FolderHandle;

// Receives a folder's names as the system reads them.
class FolderNameReceiver {
public:
    virtual void add(const char* name, size_t size) = 0;  // name is NUL-terminated

protected:
    ~FolderNameReceiver() = default;
};

// Opens directory for reading its names and its entries' metadata: 0 with out set, or an
// I/O error code.
int OpenFolder(const QByteArray& directory, FolderHandle*& out);
void CloseFolder(FolderHandle* folder);
// Whether the listing shows "." and ".." here: everywhere but at a drive root.
bool FolderShowsDots(FolderHandle& folder);
// Hands each name of the folder to names, in the order the system gives them; 0, or the
// I/O error code that kept it from reading them.
int ReadFolderNames(FolderHandle& folder, FolderNameReceiver& names);
// One entry's metadata as the listing reports it; attr -1 when the entry is gone, or when it
// is hidden and skipHidden (then without asking the system, where a name tells).
EntryMeta FetchEntryMeta(const FolderHandle& folder, const char* name, bool skipHidden);

// The matching names of one directory, read once and sorted, and the directory kept open
// so that metadata is fetched by name. Shared with the tasks fetching metadata ahead, so
// that a scan closed early leaves them nothing dangling.
struct ScannedFolder {
    // Offsets into names / keys; names are NUL-terminated so they can be handed to the
    // system as they are. A key identical to the name is not stored twice.
    struct Item {
        uint32_t raw;
        uint32_t key;
        uint16_t rawLength;
        uint16_t keyLength;
        bool keyInNames;
    };

    ScannedFolder() = default;
    ~ScannedFolder();
    ScannedFolder(const ScannedFolder&) = delete;
    ScannedFolder& operator=(const ScannedFolder&) = delete;

    const char* nameOf(const Item& item) const { return names.data() + item.raw; }
    EntryMeta fetch(size_t index) const;  // safe from any thread
    void closeDirectory();

    FolderHandle* handle = nullptr;  // null once closed
    bool skipHidden = false;         // hidden names are passed over without asking the system
    std::vector<char> names;
    std::vector<char> keys;
    std::vector<Item> items;
    size_t dotItems = 0;  // "." and ".." stay in front of the sorted names
};

// An open enumeration of a ScannedFolder; each entry's metadata is fetched when it is
// reached, or ahead of it by worker threads in a large folder, or for every entry up front
// when the order needs it.
class EntryScan {
public:
    ~EntryScan();
    EntryScan(const EntryScan&) = delete;
    EntryScan& operator=(const EntryScan&) = delete;

    // Reads the names of directory that match mask and puts them in order. Returns 0 with
    // the scan in out, or an error code. excludeMask: attribute bits of entries never returned.
    static int open(const QByteArray& directory, const MaskMatcher& mask, uint32_t excludeMask,
                    EntryOrder order, const MetadataFetch& fetch, std::unique_ptr<EntryScan>& out);

    // In a folder of fetch.minEntries names or more, has the pool fetch metadata ahead of the
    // entry being read; in smaller ones each entry's is fetched when it is reached.
    void fetchAheadIfLarge(const MetadataFetch& fetch);
    // Fetches every entry's metadata now, on the calling thread, and lets go of the directory,
    // unless metadata is fetched already or ahead: a scan prepared by another thread carries
    // its metadata to the one that lists it, without holding a descriptor meanwhile.
    void fetchAll();
    bool metadataFetched() const { return !fetched_.empty(); }
    size_t entryCount() const { return folder_->items.size(); }

    // Fills rec with the next entry that carries none of the excluded bits; entries that
    // vanished since their names were read are passed over. ScanNoMoreFiles at the end.
    int next(TSearchRec& rec);

private:
    using Item = ScannedFolder::Item;

    EntryScan() = default;
    int readNames(const MaskMatcher& mask, bool keepDots);
    bool addName(const char* raw, size_t size, const MaskMatcher& mask);
    void sortNames();
    const char* keyOf(const Item& item) const;
    // The orders other than by name, applied to the names in name order.
    void applyOrder(EntryOrder order, const MetadataFetch& fetch);
    bool extensionLess(const Item& a, const Item& b) const;
    // Fetches the metadata of every name up front (an order by size or date needs it all
    // before the first entry), drops the names passed over and sorts by key.
    void orderByMeta(SortKey key, const MetadataFetch& fetch);

    std::shared_ptr<ScannedFolder> folder_;
    std::unique_ptr<MetadataAhead> ahead_;  // null: fetched here, one entry at a time
    std::vector<EntryMeta> fetched_;  // parallel to the items once orderByMeta ran, else empty
    size_t next_ = 0;
};

}  // namespace tabulist
