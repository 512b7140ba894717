#pragma once

#include <cstdint>
#include <optional>

#include "listing/ListingOptions.h"
#include "listing/Rendering.h"
#include "platform/Entries.h"

namespace tabulist {

struct AttributeFlags {
    bool archive = false;
    bool readOnly = false;
    bool hidden = false;
    bool system = false;
};

// The four flags by membership of the whole value in fixed sets of 0..63: a value of 64
// or more, or one with the volume-label bit, sets none of them.
AttributeFlags ClassifyAttributes(int32_t attr);

// The attribute-class, hidden-entry and date filters of one listing.
class EntryFilter {
public:
    explicit EntryFilter(const ListingOptions& options);

    // Throws "Invalid argument to date encode" for an impossible limit, but only once an
    // entry gets as far as the date test.
    bool passes(const TSearchRec& rec);

private:
    struct DateRange {
        DateTime start;
        DateTime stopEnd;  // midnight after the stop day
    };
    const DateRange& dateRange();

    const ListingOptions& options_;
    std::optional<DateRange> range_;
};

}  // namespace tabulist
