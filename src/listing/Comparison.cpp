// CatalogueComparison: the listing's entries looked up in a hash table of the catalogue's.
#include "listing/Comparison.h"

#include <xxhash.h>

#include <algorithm>
#include <map>
#include <unordered_map>

#include "platform/IsoTime.h"
#include "platform/NameCoding.h"

namespace tabulist {

namespace {

uint64_t HashOf(std::string_view path) { return XXH3_64bits(path.data(), path.size()); }

std::string Utf8Of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), size_t(bytes.size()));
}

std::string_view BaseName(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view Parent(std::string_view path) {
    const size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash);
}

bool Below(std::string_view path, std::string_view folder) {
    return path.size() > folder.size() && path.substr(0, folder.size()) == folder &&
           path[folder.size()] == '/';
}

const std::string& ChangeOrderKey(const Change& change) {
    return change.kind == Change::Kind::Moved ? change.oldPath : change.path;
}

// One move from a removed entry and an added one, which are left with an empty path for
// finish() to drop.
Change MoveOf(Change& gone, Change& arrived) {
    Change move;
    move.kind = Change::Kind::Moved;
    move.oldPath = std::move(gone.path);
    move.path = std::move(arrived.path);
    move.oldType = gone.oldType;
    move.newType = arrived.newType;
    move.oldSize = gone.oldSize;
    move.newSize = arrived.newSize;
    move.oldModified = std::move(gone.oldModified);
    move.newModified = std::move(arrived.newModified);
    gone.path.clear();
    arrived.path.clear();
    return move;
}

}  // namespace

bool PathBefore(std::string_view a, std::string_view b) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        if (a[i] == b[i]) continue;
        const int x = a[i] == '/' ? 0 : static_cast<unsigned char>(a[i]) + 1;
        const int y = b[i] == '/' ? 0 : static_cast<unsigned char>(b[i]) + 1;
        return x < y;
    }
    return a.size() < b.size();
}

ChangeCounts CountChanges(const std::vector<Change>& changes) {
    ChangeCounts counts;
    for (const Change& change : changes) {
        switch (change.kind) {
            case Change::Kind::Added:
                ++counts.added;
                break;
            case Change::Kind::Removed:
                ++counts.removed;
                break;
            case Change::Kind::Changed:
                ++counts.changed;
                break;
            case Change::Kind::Moved:
                ++counts.moved;
                break;
        }
    }
    return counts;
}

CatalogueComparison::CatalogueComparison(const Catalogue& catalogue)
    : catalogue_(catalogue), seen_(catalogue.entries().size()) {
    size_t capacity = 16;
    while (capacity < 2 * catalogue.entries().size() + 1) capacity *= 2;
    slots_.assign(capacity, 0);
    const auto& entries = catalogue.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t slot = HashOf(entries[i].path()) & (capacity - 1);
        while (slots_[slot] != 0) slot = (slot + 1) & (capacity - 1);
        slots_[slot] = uint32_t(i + 1);
    }
}

// The catalogue's entry at path not matched yet (a path may be there twice when two names
// decode alike), or SIZE_MAX.
size_t CatalogueComparison::find(std::string_view path) const {
    const size_t mask = slots_.size() - 1;
    for (size_t slot = HashOf(path) & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
        const size_t index = slots_[slot] - 1;
        if (!seen_[index] && catalogue_.entries()[index].path() == path) return index;
    }
    return SIZE_MAX;
}

const std::string& CatalogueComparison::pathOf(const QString& folder, const TSearchRec& rec) {
    if (folder != folder_) {
        folder_ = folder;
        folderPath_ = folder == QLatin1String(".") ? std::string() : Utf8Of(folder) + '/';
    }
    path_ = folderPath_;
    const QByteArray& raw = rec.RawName;
    if (std::all_of(raw.begin(), raw.end(), [](char c) { return uchar(c) < 0x80; })) {
        path_.append(raw.constData(), size_t(raw.size()));
    } else {
        // As the catalogue holds the name: decoded, bad bytes as U+FFFD, controls kept.
        std::u32string text;
        DecodeName(raw.constData(), size_t(raw.size()), text, true);
        std::vector<char> bytes;
        for (const char32_t c : text) AppendUtf8(c, bytes);
        path_.append(bytes.data(), bytes.size());
    }
    return path_;
}

void CatalogueComparison::entry(const QString& folder, const TSearchRec& rec) {
    compare(folder, rec, {});
}

void CatalogueComparison::entryWithChecksum(const QString& folder, const TSearchRec& rec,
                                            const EntryChecksum& checksum) {
    compare(folder, rec, checksum.text);
}

void CatalogueComparison::unreadable(const QString& folder, const QString&) {
    unreadable_.push_back(Utf8Of(folder));
}

void CatalogueComparison::compare(const QString& folder, const TSearchRec& rec,
                                  const QByteArray& checksum) {
    const std::string& path = pathOf(folder, rec);
    const EntryType type = EntryTypeOf(rec.Attr);
    const size_t index = find(path);
    Change change;
    change.newType = type;
    change.newSize = rec.Size;
    if (index == SIZE_MAX) {
        change.kind = Change::Kind::Added;
        change.path = path;
        change.newModified = Utf8Of(IsoLocalTimeText(rec.ModifiedTime));
        change.checksum.assign(checksum.constData(), size_t(checksum.size()));
        changes_.push_back(std::move(change));
        return;
    }
    seen_[index] = true;
    const Catalogue::Entry& before = catalogue_.entries()[index];
    change.typeDiffers = before.type != type;
    // A folder's size is none and its time changes with every name in it: its changes show
    // as the changes of what it holds.
    if (!change.typeDiffers && type != EntryType::Directory) {
        change.sizeDiffers = before.size != rec.Size;
        change.modifiedDiffers = before.modified != rec.ModifiedTime;
        change.checksumDiffers =
            !checksum.isEmpty() && before.checksumLength != 0 &&
            before.checksum() != std::string_view(checksum.constData(), size_t(checksum.size()));
    }
    if (!change.typeDiffers && !change.sizeDiffers && !change.modifiedDiffers &&
        !change.checksumDiffers)
        return;
    change.kind = Change::Kind::Changed;
    change.path = path;
    change.oldType = before.type;
    change.oldSize = before.size;
    change.oldModified = before.modifiedText();
    change.newModified = Utf8Of(IsoLocalTimeText(rec.ModifiedTime));
    changes_.push_back(std::move(change));
}

std::vector<Change> CatalogueComparison::finish() {
    std::vector<Change> removed;
    const auto& entries = catalogue_.entries();
    for (size_t i = 0; i < entries.size(); ++i) {
        if (seen_[i]) continue;
        const Catalogue::Entry& entry = entries[i];
        if (std::any_of(unreadable_.begin(), unreadable_.end(),
                        [&](const std::string& folder) { return Below(entry.path(), folder); }))
            continue;
        Change change;
        change.kind = Change::Kind::Removed;
        change.path = entry.path();
        change.oldType = entry.type;
        change.oldSize = entry.size;
        change.oldModified = entry.modifiedText();
        change.checksum = entry.checksum();
        removed.push_back(std::move(change));
    }
    if (catalogue_.checksum()) {
        findMoves(removed);
        findFolderMoves(removed);
    }
    std::vector<Change> all = std::move(changes_);
    changes_.clear();
    for (Change& change : removed) all.push_back(std::move(change));
    all.erase(
        std::remove_if(all.begin(), all.end(), [](const Change& c) { return c.path.empty(); }),
        all.end());
    std::sort(all.begin(), all.end(), [](const Change& a, const Change& b) {
        return PathBefore(ChangeOrderKey(a), ChangeOrderKey(b));
    });
    return all;
}

// A removed file and an added one of the same size and checksum are one move; among
// several alike, one of the same name is taken first, then the first in path order.
void CatalogueComparison::findMoves(std::vector<Change>& removed) {
    std::unordered_map<std::string, std::vector<size_t>> added;  // size:checksum -> changes_
    const auto key = [](const Change& c) {
        return std::to_string(c.kind == Change::Kind::Added ? c.newSize : c.oldSize) + ':' +
               c.checksum;
    };
    std::vector<size_t> order;
    for (size_t i = 0; i < changes_.size(); ++i) order.push_back(i);
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return PathBefore(changes_[a].path, changes_[b].path); });
    for (const size_t i : order) {
        const Change& c = changes_[i];
        if (c.kind == Change::Kind::Added && c.newType == EntryType::File && !c.checksum.empty())
            added[key(c)].push_back(i);
    }
    std::sort(removed.begin(), removed.end(),
              [](const Change& a, const Change& b) { return PathBefore(a.path, b.path); });
    for (Change& gone : removed) {
        if (gone.oldType != EntryType::File || gone.checksum.empty()) continue;
        const auto candidates = added.find(key(gone));
        if (candidates == added.end()) continue;
        std::vector<size_t>& list = candidates->second;
        auto pick = std::find_if(list.begin(), list.end(), [&](size_t i) {
            return BaseName(changes_[i].path) == BaseName(gone.path);
        });
        if (pick == list.end()) pick = list.begin();
        if (pick == list.end()) continue;
        Change& arrived = changes_[*pick];
        list.erase(pick);
        changes_.push_back(MoveOf(gone, arrived));
    }
}

// A removed folder and an added one are one move when files moved from below the one to
// the same places below the other; the folder takes the place its files went to most.
void CatalogueComparison::findFolderMoves(std::vector<Change>& removed) {
    std::map<std::string, size_t> goneFolders, newFolders;  // path -> index
    for (size_t i = 0; i < removed.size(); ++i)
        if (removed[i].oldType == EntryType::Directory && !removed[i].path.empty())
            goneFolders.emplace(removed[i].path, i);
    for (size_t i = 0; i < changes_.size(); ++i)
        if (changes_[i].kind == Change::Kind::Added && changes_[i].newType == EntryType::Directory)
            newFolders.emplace(changes_[i].path, i);
    if (goneFolders.empty() || newFolders.empty()) return;
    std::map<std::string, std::map<std::string, size_t>> votes;
    for (const Change& c : changes_) {
        if (c.kind != Change::Kind::Moved) continue;
        std::string_view from = c.oldPath, to = c.path;
        while (BaseName(from) == BaseName(to) && !Parent(from).empty() && !Parent(to).empty()) {
            from = Parent(from);
            to = Parent(to);
            if (goneFolders.count(std::string(from)) && newFolders.count(std::string(to)))
                ++votes[std::string(from)][std::string(to)];
        }
    }
    std::vector<std::string> taken;
    for (const auto& [from, counts] : votes) {
        const auto best =
            std::max_element(counts.begin(), counts.end(),
                             [](const auto& a, const auto& b) { return a.second < b.second; });
        if (std::find(taken.begin(), taken.end(), best->first) != taken.end()) continue;
        taken.push_back(best->first);
        Change& gone = removed[goneFolders[from]];
        Change& arrived = changes_[newFolders[best->first]];
        changes_.push_back(MoveOf(gone, arrived));
    }
}

}  // namespace tabulist
