#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

#include "listing/ChecksumQueue.h"
#include "listing/ListingEngine.h"

namespace tabulist {

// A file whose checksum could not be computed: its path as a message shows it, and why.
using UnreadableFile = std::function<void(const QString& path, const QString& message)>;

// Whether an entry's checksum is computed: files only (links followed), not folders,
// devices, FIFOs or sockets.
bool HasChecksum(const TSearchRec& rec);

// Hands the checksum queue the entries a listing lists, each with the path to read it from,
// and hands their lines or records on in the listing's order once their checksums are
// known. Install hooks() into the listing's hooks and call finish() when it has ended
// (also when it failed: what was listed is still handed on).
class ChecksumListing {
public:
    ChecksumListing(ChecksumQueue& queue, const ListingOptions& options, UnreadableFile unreadable);
    virtual ~ChecksumListing() = default;

    // base with entryListed set.
    ListingHooks hooks(ListingHooks base);
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
    QByteArray start_;  // the listed directory as the file system names it
    UnreadableFile unreadable_;
    std::optional<Held> held_;
};

// Detail lines with the checksum as a last field after a tab, empty for anything but a file
// read whole. Lines other than entries' (header, section and footer lines) pass unchanged.
class ChecksumLines : public ChecksumListing, public ListingSink {
public:
    ChecksumLines(ListingSink& out, ChecksumQueue& queue, const ListingOptions& options,
                  UnreadableFile unreadable)
        : ChecksumListing(queue, options, std::move(unreadable)), out_(out) {}

    void clear() override;
    void appendLine(const QString& line) override;

private:
    ListingSink& out_;
};

// Entries handed on to out's entryWithChecksum.
class ChecksumEntries : public ChecksumListing, public EntrySink {
public:
    ChecksumEntries(EntrySink& out, ChecksumQueue& queue, const ListingOptions& options,
                    UnreadableFile unreadable)
        : ChecksumListing(queue, options, std::move(unreadable)), out_(out) {}

    void entry(const QString& folder, const TSearchRec& rec) override;

private:
    EntrySink& out_;
};

}  // namespace tabulist
