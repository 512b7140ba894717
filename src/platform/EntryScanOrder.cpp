// The orders beyond name order. Each starts from the names in name order and sorts stably,
// so equal keys keep name order; descending reverses the whole of it.
#include <algorithm>
#include <cstring>
#include <numeric>

#include "platform/EntryScan.h"
#include "platform/EntryScanAhead.h"

namespace tabulist {

namespace {

// The folded text after the last ".", or none.
bool extensionOf(const char* key, uint16_t length, const char*& ext, size_t& extLength) {
    for (size_t i = length; i > 0; --i) {
        if (key[i - 1] == '.') {
            ext = key + i;
            extLength = length - i;
            return true;
        }
    }
    return false;
}

}  // namespace

bool EntryScan::extensionLess(const Item& a, const Item& b) const {
    const char *extA = nullptr, *extB = nullptr;
    size_t lengthA = 0, lengthB = 0;
    const bool hasA = extensionOf(keyOf(a), a.keyLength, extA, lengthA);
    const bool hasB = extensionOf(keyOf(b), b.keyLength, extB, lengthB);
    if (!hasA || !hasB) return !hasA && hasB;  // names without one first
    const int c = std::memcmp(extA, extB, std::min(lengthA, lengthB));
    return c != 0 ? c < 0 : lengthA < lengthB;
}

void EntryScan::orderByMeta(SortKey key, const MetadataFetch& fetch) {
    ScannedFolder& folder = *folder_;
    std::vector<EntryMeta> all = FetchAllMetadata(folder_, fetch);
    // Names passed over (gone, or hidden and not asked for) leave both lists.
    size_t dots = 0;
    std::vector<uint32_t> order;
    order.reserve(all.size());
    for (size_t i = 0; i < all.size(); ++i) {
        if (all[i].attr < 0) continue;
        if (i < folder.dotItems)
            ++dots;
        else
            order.push_back(uint32_t(i));
    }
    const auto value = [&all, key](uint32_t i) {
        return key == SortKey::Size ? all[i].size : all[i].modified;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&value](uint32_t a, uint32_t b) { return value(a) < value(b); });
    std::vector<Item> items;
    items.reserve(dots + order.size());
    fetched_.reserve(dots + order.size());
    for (size_t i = 0; i < folder.dotItems; ++i) {
        if (all[i].attr < 0) continue;
        items.push_back(folder.items[i]);
        fetched_.push_back(all[i]);
    }
    for (uint32_t i : order) {
        items.push_back(folder.items[i]);
        fetched_.push_back(all[i]);
    }
    folder.items.swap(items);
    folder.dotItems = dots;
}

void EntryScan::applyOrder(EntryOrder order, const MetadataFetch& fetch) {
    std::vector<Item>& items = folder_->items;
    const auto first = items.begin() + std::ptrdiff_t(folder_->dotItems);
    switch (order.key) {
        case SortKey::Name:
            break;
        case SortKey::Extension:
            std::stable_sort(first, items.end(),
                             [this](const Item& a, const Item& b) { return extensionLess(a, b); });
            break;
        case SortKey::Size:
        case SortKey::Date:
            orderByMeta(order.key, fetch);
            break;
    }
    if (order.descending) {
        const size_t dots = folder_->dotItems;
        std::reverse(items.begin() + std::ptrdiff_t(dots), items.end());
        if (!fetched_.empty())
            std::reverse(fetched_.begin() + std::ptrdiff_t(dots), fetched_.end());
    }
}

}  // namespace tabulist
