#include "listing/DataWriter.h"

#include <cstring>

namespace tabulist {

EDataWriteError::EDataWriteError(const QString& reason, const QString& file)
    : TabulistError(file.isEmpty() ? QStringLiteral("cannot write: %1").arg(reason)
                                   : QStringLiteral("cannot write '%1': %2").arg(file, reason)),
      reason_(reason) {}

QString EDataWriteError::reasonOf(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

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
