// Which entries a listing keeps: attribute class, hidden entries, date range.
#include "listing/EntryFilter.h"

namespace tabulist {

namespace {

// Values 0..63 carrying bit and not the volume-label bit.
constexpr bool InAttributeSet(int32_t attr, int32_t bit) {
    return attr >= 0 && attr <= AttrAny && (attr & AttrVolumeLabel) == 0 && (attr & bit) != 0;
}

}  // namespace

AttributeFlags ClassifyAttributes(int32_t attr) {
    AttributeFlags flags;
    flags.archive = InAttributeSet(attr, AttrArchive);
    flags.readOnly = InAttributeSet(attr, AttrReadOnly);
    flags.hidden = InAttributeSet(attr, AttrHidden);
    flags.system = InAttributeSet(attr, AttrSystem);
    return flags;
}

EntryFilter::EntryFilter(const ListingOptions& options) : options_(options) {}

const EntryFilter::DateRange& EntryFilter::dateRange() {
    if (!range_) {
        const DateTime start = EncodeDate(options_.startYearIndex + 1980,
                                          options_.startMonthIndex + 1, options_.startDayIndex + 1);
        const DateTime stop = EncodeDate(options_.stopYearIndex + 1980, options_.stopMonthIndex + 1,
                                         options_.stopDayIndex + 1);
        // The whole stop day counts, not only its first second.
        range_ = DateRange{start, stop + 1.0};
    }
    return *range_;
}

bool EntryFilter::passes(const TSearchRec& rec) {
    bool pass = rec.Attr == AttrDirectory;
    const AttributeFlags flags = ClassifyAttributes(rec.Attr);
    switch (options_.attributeClass) {
        case 0:
            pass = true;
            break;
        case 1:
            if (flags.archive) pass = true;
            break;
        case 2:
            if (flags.readOnly) pass = true;
            break;
        case 3:
            if (flags.system) pass = true;
            break;
        default:
            break;
    }
    if (!options_.showHidden && flags.hidden) pass = false;
    // An unknown date leaves nothing out: the entry is listed with "?" for it.
    if (options_.dateFilter && pass && rec.MetadataError == 0) {
        const DateTime t = PackedTimeToDateTime(rec.Time);
        const DateRange& range = dateRange();
        if (t < range.start || t >= range.stopEnd) pass = false;
    }
    return pass;
}

}  // namespace tabulist
