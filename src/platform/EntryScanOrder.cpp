// The orders beyond name order. Each starts from the names in name order and sorts stably,
// so equal keys keep name order; descending reverses the whole of it.
#include <numeric>

#include "platform/EntryScan.h"

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

void EntryScan::orderByFacts(SortKey key) {
    statAll();
    std::vector<uint32_t> order(items_.size() - dotItems_);
    std::iota(order.begin(), order.end(), uint32_t(dotItems_));
    const auto value = [this, key](uint32_t i) {
        return key == SortKey::Size ? facts_[i].size : facts_[i].time;
    };
    std::stable_sort(order.begin(), order.end(),
                     [&value](uint32_t a, uint32_t b) { return value(a) < value(b); });
    std::vector<Item> items(items_.begin(), items_.begin() + std::ptrdiff_t(dotItems_));
    std::vector<Facts> facts(facts_.begin(), facts_.begin() + std::ptrdiff_t(dotItems_));
    items.reserve(items_.size());
    facts.reserve(facts_.size());
    for (uint32_t i : order) {
        items.push_back(items_[i]);
        facts.push_back(facts_[i]);
    }
    items_.swap(items);
    facts_.swap(facts);
}

void EntryScan::applyOrder(EntryOrder order) {
    switch (order.key) {
        case SortKey::Name:
            break;
        case SortKey::Extension:
            std::stable_sort(items_.begin() + std::ptrdiff_t(dotItems_), items_.end(), [this](const Item& a, const Item& b) {
                return extensionLess(a, b);
            });
            break;
        case SortKey::Size:
        case SortKey::Date:
            orderByFacts(order.key);
            break;
    }
    if (order.descending) {
        std::reverse(items_.begin() + std::ptrdiff_t(dotItems_), items_.end());
        if (!facts_.empty()) std::reverse(facts_.begin() + std::ptrdiff_t(dotItems_), facts_.end());
    }
}

}  // namespace tabulist
