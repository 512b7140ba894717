#pragma once

#include <QByteArray>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/Entries.h"

namespace tabulist {

class MaskMatcher;

// An open enumeration: the matching names of one directory, read once and sorted, and
// the directory kept open so that each entry's metadata is fetched only when it is reached.
class EntryScan {
public:
    ~EntryScan();
    EntryScan(const EntryScan&) = delete;
    EntryScan& operator=(const EntryScan&) = delete;

    // Reads the names of directory that match mask and puts them in order. Returns 0 with
    // the scan in out, or an error code.
    static int open(const QByteArray& directory, const MaskMatcher& mask, EntryOrder order,
                    std::unique_ptr<EntryScan>& out);

    // Fills rec with the next entry that carries none of the excluded bits; entries that
    // vanished since their names were read are passed over. ScanNoMoreFiles at the end.
    int next(TSearchRec& rec);

private:
    // Offsets into names_ / keys_; names are NUL-terminated so they can be handed to the
    // system as they are. A key identical to the name is not stored twice.
    struct Item {
        uint32_t raw;
        uint32_t key;
        uint16_t rawLength;
        uint16_t keyLength;
        bool keyInNames;
    };

    // What the listing reports of an entry besides its name.
    struct Facts {
        int64_t size;
        int64_t time;  // seconds since 1970
        int32_t attr;
    };

    EntryScan() = default;
    void readNames(void* dir, const MaskMatcher& mask, bool keepDots);
    bool addName(const char* raw, size_t size, const MaskMatcher& mask);
    void sortNames();
    const char* keyOf(const Item& item) const;
    // Folded text first; names that fold alike in byte order.
    bool nameLess(const Item& a, const Item& b) const {
        int c = std::memcmp(keyOf(a), keyOf(b), std::min(a.keyLength, b.keyLength));
        if (c == 0 && a.keyLength != b.keyLength) return a.keyLength < b.keyLength;
        if (c != 0) return c < 0;
        const char* names = names_.data();
        c = std::memcmp(names + a.raw, names + b.raw, std::min(a.rawLength, b.rawLength));
        return c != 0 ? c < 0 : a.rawLength < b.rawLength;
    }
    // The orders other than by name, applied to the names in name order.
    void applyOrder(EntryOrder order);
    bool extensionLess(const Item& a, const Item& b) const;
    void orderByFacts(SortKey key);
    // Fetches the facts of every name up front (an order by size or date needs them all
    // before the first entry); names gone meanwhile are dropped.
    void statAll();

    int fd_ = -1;
    std::vector<char> names_;
    std::vector<char> keys_;
    std::vector<Item> items_;
    std::vector<Facts> facts_;  // parallel to items_ once statAll ran, else empty
    size_t dotItems_ = 0;  // "." and ".." stay in front of the sorted names
    size_t next_ = 0;
};

}  // namespace tabulist
