#pragma once

#include <QByteArray>
#include <cstdint>
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

    // Reads and sorts the names of directory that match mask. Returns 0 with the scan in
    // out, or an error code.
    static int open(const QByteArray& directory, const MaskMatcher& mask,
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

    EntryScan() = default;
    void readNames(void* dir, const MaskMatcher& mask, bool keepDots);
    bool addName(const char* raw, size_t size, const MaskMatcher& mask);
    void sortNames();
    const char* keyOf(const Item& item) const;

    int fd_ = -1;
    std::vector<char> names_;
    std::vector<char> keys_;
    std::vector<Item> items_;
    size_t dotItems_ = 0;  // "." and ".." stay in front of the sorted names
    size_t next_ = 0;
};

}  // namespace tabulist
