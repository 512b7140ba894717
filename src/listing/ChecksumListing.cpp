// ChecksumListing: lines and records of a listing held in order until their checksums come.
#include "listing/ChecksumListing.h"

#include "platform/Entries.h"
#include "platform/Errors.h"

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
                                 UnreadableFile unreadable)
    : queue_(queue),
      start_(options.rawDirectory.isEmpty() ? options.directory.toUtf8() : options.rawDirectory),
      unreadable_(std::move(unreadable)) {}

ListingHooks ChecksumListing::hooks(ListingHooks base) {
    base.entryListed = [this](const QByteArray& folder, const TSearchRec& rec) {
        listed(folder, rec);
    };
    return base;
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
            if (sum.error != 0 && unreadable_)
                unreadable_(DisplayName(path), EInOutError::messageFor(sum.error));
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

void ChecksumEntries::entry(const QString& folder, const TSearchRec& rec) {
    hold([this, folder, copy = std::make_shared<TSearchRec>(CopyOf(rec))](
             const EntryChecksum& checksum) { out_.entryWithChecksum(folder, *copy, checksum); });
}

}  // namespace tabulist
