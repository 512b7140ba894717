#include "listing/DataWriter.h"

namespace tabulist {

ListingResult WriteListing(const ListingOptions& listing, const ListingContext& context,
                           DataWriter& writer, const ListingHooks& hooks) {
    ListingContext withChecksum = context;
    withChecksum.checksum = listing.checksum;
    writer.begin(withChecksum);
    ListingResult result;
    try {
        result = ListEntries(listing, writer, hooks);
    } catch (...) {
        try {
            writer.end();
        } catch (...) {
            // The listing's own error is the one to report.
        }
        throw;
    }
    writer.end();
    return result;
}

}  // namespace tabulist
