#pragma once

#include <QString>
#include <cstdint>
#include <string>
#include <vector>

#include "listing/Catalogue.h"
#include "listing/ListingEngine.h"

namespace tabulist {

// One difference between a catalogue and the folder as it is now.
struct Change {
    enum class Kind { Added, Removed, Changed, Moved };
    Kind kind = Kind::Added;
    std::string path;     // the entry; for a move, where it is now
    std::string oldPath;  // a move: where it was
    EntryType oldType = EntryType::File;
    EntryType newType = EntryType::File;
    int64_t oldSize = -1;  // -1: not there
    int64_t newSize = -1;
    std::string oldModified;  // as the catalogue says, or as a catalogue would say now
    std::string newModified;
    // What differs, for a changed entry.
    bool typeDiffers = false;
    bool sizeDiffers = false;
    bool modifiedDiffers = false;
    bool checksumDiffers = false;
    std::string checksum;  // an added or removed file's, to find moves
};

struct ChangeCounts {
    int64_t added = 0;
    int64_t removed = 0;
    int64_t changed = 0;
    int64_t moved = 0;
    int64_t total() const { return added + removed + changed + moved; }
};
ChangeCounts CountChanges(const std::vector<Change>& changes);

// Paths in the order of their parts: a folder's entries come right after it.
bool PathBefore(std::string_view a, std::string_view b);

// The entries of a listing compared, as they come, with a catalogue's. Entries are matched
// by their path relative to the listed directory; a file differs in size, in its time of
// last change (to the second) or, when the catalogue has checksums, in its checksum; a
// folder only by being there or not, as its changes show inside it. With checksums, a file
// removed in one place and added in another with the same size and checksum has moved, and
// a folder that moved with its files is one move.
class CatalogueComparison : public EntrySink {
public:
    explicit CatalogueComparison(const Catalogue& catalogue);

    void entry(const QString& folder, const TSearchRec& rec) override;
    void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                           const EntryChecksum& checksum) override;
    // A folder that could not be read: what the catalogue has below it is not taken as
    // removed.
    void unreadable(const QString& folder, const QString& message) override;

    // The changes, in path order (a move at its old path).
    std::vector<Change> finish();

private:
    void compare(const QString& folder, const TSearchRec& rec, const QByteArray& checksum);
    const std::string& pathOf(const QString& folder, const TSearchRec& rec);
    size_t find(std::string_view path) const;
    void findMoves(std::vector<Change>& removed);
    void findFolderMoves(std::vector<Change>& removed);

    const Catalogue& catalogue_;
    std::vector<uint32_t> slots_;  // open addressing: catalogue index + 1, 0 for free
    std::vector<bool> seen_;
    std::vector<Change> changes_;
    std::vector<std::string> unreadable_;
    QString folder_;
    std::string folderPath_;
    std::string path_;
};

}  // namespace tabulist
