// ChecksumListing: lines and records of a listing held in order until their checksums come.
#include "listing/ChecksumListing.h"

#include <chrono>

#include "platform/Entries.h"
#include "platform/Errors.h"
#include "platform/NameCoding.h"
#include "platform/WorkerPool.h"

namespace tabulist {

namespace {

// A search record's values without its enumeration, to be handed on later.
TSearchRec CopyOf(const TSearchRec& rec) {
    TSearchRec copy;
    copy.Time = rec.Time;
    copy.Size = rec.Size;
    copy.Attr = rec.Attr;
    copy.ModifiedTime = rec.ModifiedTime;
    copy.Name = rec.Name;
    copy.RawName = rec.RawName;
    copy.ExcludeMask = rec.ExcludeMask;
    return copy;
}

QByteArray Joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

}  // namespace

bool HasChecksum(const TSearchRec& rec) { return !(rec.Attr & (AttrDirectory | AttrSystem)); }

ChecksumListing::ChecksumListing(ChecksumQueue& queue, const ListingOptions& options,
                                 const ListingHooks& hooks)
    : queue_(queue),
      hooks_(hooks),
      start_(options.rawDirectory.isEmpty() ? options.directory.toUtf8() : options.rawDirectory) {}

ListingHooks ChecksumListing::hooks() {
    ListingHooks hooks = hooks_;
    hooks.entryListed = [this](const QByteArray& folder, const TSearchRec& rec) {
        listed(folder, rec);
    };
    return hooks;
}

void ChecksumListing::hold(Held deliver) {
    release();
    held_ = std::move(deliver);
}

void ChecksumListing::release() {
    if (!held_) return;
    Held deliver = std::move(*held_);
    held_.reset();
    queue_.add({}, 0, [deliver = std::move(deliver)](const FileChecksum&) { deliver({}); });
}

void ChecksumListing::listed(const QByteArray& folder, const TSearchRec& rec) {
    if (!held_) return;
    Held deliver = std::move(*held_);
    held_.reset();
    EntryChecksum checksum;
    // Relative to the listed directory: a folder below it, or a mask reaching into one.
    if (folder.startsWith(start_) && folder.size() > start_.size())
        checksum.relativePath = folder.mid(start_.size() + (start_.endsWith('/') ? 0 : 1)) + '/';
    checksum.relativePath += rec.RawName;
    if (!HasChecksum(rec)) {
        queue_.add({}, 0, [deliver = std::move(deliver), checksum](const FileChecksum&) {
            deliver(checksum);
        });
        return;
    }
    const QByteArray path = Joined(folder, rec.RawName);
    queue_.add(
        path, rec.Size,
        [this, deliver = std::move(deliver), checksum, path](const FileChecksum& sum) mutable {
            if (sum.error != 0 && hooks_.unreadableFile)
                hooks_.unreadableFile(DisplayName(path), EInOutError::messageFor(sum.error));
            checksum.text = sum.text;
            deliver(checksum);
        });
}

void ChecksumListing::finish() {
    release();
    queue_.finish();
}

void ChecksumLines::clear() {
    hold([this](const EntryChecksum&) { out_.clear(); });
    release();
}

void ChecksumLines::appendLine(const QString& line) {
    hold([this, line](const EntryChecksum& checksum) {
        if (checksum.relativePath.isEmpty()) {
            out_.appendLine(line);
            return;
        }
        out_.appendLine(line + QLatin1Char('\t') + QString::fromLatin1(checksum.text));
    });
}

void ChecksumEntries::folder(const QString& folder) {
    hold([this, folder](const EntryChecksum&) { out_.folder(folder); });
    release();
}

void ChecksumEntries::unreadable(const QString& folder, const QString& message) {
    hold([this, folder, message](const EntryChecksum&) { out_.unreadable(folder, message); });
    release();
}

void ChecksumEntries::entry(const QString& folder, const TSearchRec& rec) {
    hold([this, folder, copy = std::make_shared<TSearchRec>(CopyOf(rec))](
             const EntryChecksum& checksum) { out_.entryWithChecksum(folder, *copy, checksum); });
}

namespace {

// Runs list, then hands on what was listed, also when the listing fails.
template <typename List>
void RunChecksummed(ChecksumListing& listing, List list) {
    try {
        list();
    } catch (...) {
        try {
            listing.finish();
        } catch (...) {
            // The listing's own error is the one to report.
        }
        throw;
    }
    listing.finish();
}

// The queue for a listing: its progress told, and the window's messages run while it waits.
void Watch(ChecksumQueue& queue, const ListingHooks& hooks) {
    const auto started = std::chrono::steady_clock::now();
    auto lastProgress = started;
    queue.onTick(
        [&queue, &hooks, started, lastProgress]() mutable {
            if (hooks.processMessages) hooks.processMessages();
            if (hooks.abandoned && hooks.abandoned()) queue.stop();
            const auto now = std::chrono::steady_clock::now();
            if (hooks.checksumProgress && now - lastProgress >= std::chrono::milliseconds(250) &&
                now - started >= std::chrono::milliseconds(500)) {
                lastProgress = now;
                hooks.checksumProgress(queue.bytesDone(), queue.bytesQueued());
            }
        },
        std::chrono::milliseconds(50));
}

ListingOptions WithoutChecksum(const ListingOptions& options) {
    ListingOptions plain = options;
    plain.checksum.reset();
    return plain;
}

}  // namespace

ListingResult BuildChecksumReport(const ListingOptions& options, ListingSink& sink,
                                  const ListingHooks& hooks) {
    const ListingOptions plain = WithoutChecksum(options);
    // Columns of names have no field for it.
    if (options.columnIndex >= 1 && options.columnIndex <= 5)
        return BuildListingReport(plain, sink, hooks);
    ChecksumQueue queue(*options.checksum, options.fetch.workers());
    Watch(queue, hooks);
    ChecksumLines lines(sink, queue, options, hooks);
    ListingResult result;
    RunChecksummed(lines, [&] { result = BuildListingReport(plain, lines, lines.hooks()); });
    return result;
}

ListingResult ListChecksummedEntries(const ListingOptions& options, EntrySink& sink,
                                     const ListingHooks& hooks) {
    ChecksumQueue queue(*options.checksum, options.fetch.workers());
    Watch(queue, hooks);
    ChecksumEntries entries(sink, queue, options, hooks);
    ListingResult result;
    RunChecksummed(
        entries, [&] { result = ListEntries(WithoutChecksum(options), entries, entries.hooks()); });
    return result;
}

}  // namespace tabulist
