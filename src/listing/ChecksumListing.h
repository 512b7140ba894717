#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "listing/ChecksumQueue.h"
#include "listing/ListingEngine.h"

namespace tabulist {

// Whether an entry's checksum is computed: files only (links followed), not folders,
// devices, FIFOs or sockets.
bool HasChecksum(const TSearchRec& rec);

// BuildListingReport and ListEntries for options with a checksum: the files are read on the
// worker pool (options.fetch's, or the shared one) while the listing goes on, and the lines
// or entries are handed on in the listing's order once their checksums are known. Detail
// lines get the checksum as a last field after a tab, empty for anything but a file read
// whole; columns get none. Entries go to the sink's entryWithChecksum. While the reading
// is waited for, hooks.processMessages and hooks.abandoned run and the progress is told;
// abandoned, what is still waiting is dropped.
ListingResult BuildChecksumReport(const ListingOptions& options, ListingSink& sink,
                                  const ListingHooks& hooks);
ListingResult ListChecksummedEntries(const ListingOptions& options, EntrySink& sink,
                                     const ListingHooks& hooks);

// Hands the checksum queue the entries a listing lists, each with the path to read it from.
class ChecksumListing {
public:
    ChecksumListing(ChecksumQueue& queue, const ListingOptions& options, const ListingHooks& hooks);
    virtual ~ChecksumListing() = default;

    // The listing's hooks with entryListed set.
    ListingHooks hooks();
    // Hands on the rest, also after a failed listing.
    void finish();

protected:
    using Held = std::function<void(const EntryChecksum& checksum)>;
    // An item waiting for its entry (the hook says which), before it is queued.
    void hold(Held deliver);
    // Queues what is held, without a checksum.
    void release();

private:
    void listed(const QByteArray& folder, const TSearchRec& rec);

    ChecksumQueue& queue_;
    const ListingHooks& hooks_;
    QByteArray start_;  // the listed directory as the file system names it
    std::optional<Held> held_;
};

class ChecksumLines : public ChecksumListing, public ListingSink {
public:
    ChecksumLines(ListingSink& out, ChecksumQueue& queue, const ListingOptions& options,
                  const ListingHooks& hooks)
        : ChecksumListing(queue, options, hooks), out_(out) {}

    void clear() override;
    void appendLine(const QString& line) override;

private:
    ListingSink& out_;
};

class ChecksumEntries : public ChecksumListing, public EntrySink {
public:
    ChecksumEntries(EntrySink& out, ChecksumQueue& queue, const ListingOptions& options,
                    const ListingHooks& hooks)
        : ChecksumListing(queue, options, hooks), out_(out) {}

    void folder(const QString& folder) override;
    void entry(const QString& folder, const TSearchRec& rec) override;
    void unreadable(const QString& folder, const QString& message) override;

private:
    EntrySink& out_;
};

}  // namespace tabulist
