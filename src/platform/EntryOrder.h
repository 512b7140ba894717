#pragma once

namespace tabulist {

enum class SortKey { Name = 0, Extension = 1, Size = 2, Date = 3 };

// The order of an enumeration. Name ascending is the listing's own order; the others are
// additions: extension (names without one first), size and date (ties by name each), and
// any of them reversed. "." and ".." stay in front whatever the order.
struct EntryOrder {
    SortKey key = SortKey::Name;
    bool descending = false;

    bool isDefault() const { return key == SortKey::Name && !descending; }
};

}  // namespace tabulist
