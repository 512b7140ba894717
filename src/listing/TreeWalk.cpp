// BuildTreeReport: one section per folder, depth first, in the order the listing shows them.
#include "listing/TreeWalk.h"

#include <algorithm>
#include <vector>

#include "listing/ActivityTicker.h"
#include "listing/BodyLines.h"
#include "listing/EntryFilter.h"
#include "listing/FolderReadAhead.h"
#include "listing/ReportLines.h"
#include "platform/Errors.h"
#include "platform/MaskMatcher.h"
#include "platform/NameCoding.h"
#include "platform/PathCheck.h"
#include "platform/WorkerPool.h"

namespace tabulist {

namespace {

bool IsDotName(const QByteArray& name) { return name == "." || name == ".."; }

QByteArray Joined(const QByteArray& folder, const QByteArray& name) {
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

// A folder on the way down and the names of its subfolders not searched yet.
struct Level {
    QByteArray raw;    // as the file system names it
    QString display;   // as the path lines show it
    QString relative;  // as the data formats name it: "." for the starting folder
    FolderIdentity id;
    int depth = 0;
    std::vector<QByteArray> subfolders;
    size_t next = 0;
};

class TreeRun {
public:
    // Lines go to sink; with entries given instead, the entries alone go there, without
    // header, section and footer lines.
    TreeRun(const ListingOptions& options, ListingSink* sink, EntrySink* entries,
            const ListingHooks& hooks)
        : options_(options),
          sink_(sink),
          entries_(entries),
          hooks_(hooks),
          filter_(options),
          ticker_(hooks.activity),
          drive_(options, hooks) {
        total_.searchSpec = SearchSpecFor(options.directory, options.maskText);
        const QString mask =
            total_.searchSpec.mid(total_.searchSpec.lastIndexOf(QLatin1Char('/')) + 1);
        // A mask holding "/" reaches into a subdirectory; only the text form says which.
        textMask_ = options.maskText.contains(QLatin1Char('/'));
        mask_ = mask;
        subfoldersInScan_ = !textMask_ && MaskMatcher(mask).matchesAll();
        // Told to fetch on this thread alone (as tests compare), it reads nothing ahead either.
        if (!textMask_ && options.fetch.minEntries != SIZE_MAX) {
            WorkerPool& pool = options.fetch.pool ? *options.fetch.pool : WorkerPool::shared();
            const size_t folders = std::min<size_t>(pool.size() + 2, 16);
            ahead_ = std::make_unique<FolderReadAhead>(pool, folders, mask_, options.order, 63);
        }
    }

    ~TreeRun() { CloseEntryScan(rec_); }

    ListingResult run();

private:
    void listSection(Level& level, bool start);
    int openScan(const Level& level, const QString& spec);
    bool nextEntry(Level& level, bool start, bool first);
    void write(const QString& line);
    void countEntry();
    void findSubfolders(Level& level);
    void readAhead();
    template <typename Open>
    int withDescriptors(Open open);
    bool enter(const Level& parent, const QByteArray& name, Level& child) const;
    bool searchesBelow(const Level& level) const {
        return options_.depth < 0 || level.depth < options_.depth;
    }

    const ListingOptions& options_;
    ListingSink* sink_;
    EntrySink* entries_;
    const ListingHooks& hooks_;
    EntryFilter filter_;
    ActivityTicker ticker_;
    DriveFigures drive_;
    QString mask_;
    bool textMask_ = false;
    bool subfoldersInScan_ = false;  // every name is listed, so the listing's scan finds them

    TSearchRec rec_;
    bool exhausted_ = false;
    QString pendingHead_;  // a section's path line, written before its first line
    bool headPending_ = false;
    bool bodyWritten_ = false;
    ListingResult section_;
    ListingResult total_;
    std::vector<Level> path_;
    std::unique_ptr<FolderReadAhead> ahead_;  // null: each folder read when it is reached
};

// Runs open; when the descriptors ran out while folders are being read ahead, lets those go
// and the walk goes on without reading ahead.
template <typename Open>
int TreeRun::withDescriptors(Open open) {
    const int code = open();
    if (code != InOutTooManyOpenFiles || !ahead_) return code;
    ahead_->release();
    ahead_.reset();
    return open();
}

int TreeRun::openScan(const Level& level, const QString& spec) {
    int code = 0;
    if (ahead_ && ahead_->open(level.raw, rec_, options_.fetch, code)) return code;
    auto open = [&] {
        if (textMask_) return OpenEntryScan(spec, 63, rec_, options_.order, options_.fetch);
        return OpenEntryScan(level.raw, mask_, 63, rec_, options_.order, options_.fetch);
    };
    return withDescriptors(open);
}

// The next entry of the section's scan; true when it is to be listed.
bool TreeRun::nextEntry(Level& level, bool start, bool first) {
    if (ListingOvertaken(hooks_, ticker_)) {
        total_.abandoned = true;
        exhausted_ = true;
        return false;
    }
    if (!first && NextScanEntry(rec_) != 0) {
        exhausted_ = true;
        return false;
    }
    if (IsDotName(rec_.RawName)) return start && !entries_;
    // Where to look is not a question of the filters: they choose what is listed.
    if (subfoldersInScan_ && (rec_.Attr & AttrDirectory) && searchesBelow(level) &&
        (options_.showHidden || !(rec_.Attr & AttrHidden)))
        level.subfolders.push_back(rec_.RawName);
    return filter_.passes(rec_);
}

void TreeRun::write(const QString& line) {
    if (headPending_) {
        sink_->appendLine(QString());
        sink_->appendLine(pendingHead_);
        sink_->appendLine(QString());
        headPending_ = false;
    }
    bodyWritten_ = true;
    sink_->appendLine(line);
}

void TreeRun::countEntry() {
    for (ListingResult* counts : {&section_, &total_}) {
        ++counts->fileCount;
        counts->totalSize += rec_.Size;
        if (rec_.Attr & AttrDirectory) ++counts->dirCount;
    }
}

void TreeRun::listSection(Level& level, bool start) {
    section_ = ListingResult();
    const QString spec =
        start ? total_.searchSpec : SearchSpecFor(level.display, options_.maskText);
    if (!start && hooks_.searchSpecReady) hooks_.searchSpecReady(spec);
    pendingHead_ = QLatin1String("path:    \t") + DisplayName(spec.toUtf8());
    headPending_ = !start;

    if (entries_) entries_->folder(level.relative);
    const int code = openScan(level, spec);
    readAhead();
    // Nothing matching, or every entry gone: an empty section. The starting folder keeps
    // today's listing, where a folder that cannot be read lists nothing.
    if (code != 0 && code != 2 && code != 3 && code != ScanNoMoreFiles && !start) {
        const QString message = EInOutError::messageFor(code);
        if (entries_) entries_->unreadable(level.relative, message);
        if (!entries_) write(QLatin1String("cannot be read: ") + message);
        if (hooks_.unreadableFolder) hooks_.unreadableFolder(level.display, message);
        return;
    }
    exhausted_ = code != 0;
    BodyLines body(options_);
    for (bool first = true; !exhausted_; first = false) {
        if (!nextEntry(level, start, first)) continue;
        countEntry();
        if (entries_) {
            entries_->entry(level.relative, rec_);
        } else if (const QString* line = body.add(rec_)) {
            write(*line);
        }
        if (hooks_.entryListed) hooks_.entryListed(level.raw, rec_);
    }
    CloseEntryScan(rec_);
    if (total_.abandoned) return;
    if (section_.fileCount == 0 || entries_) {
        headPending_ = false;
    } else {
        if (const QString* line = body.rest()) write(*line);
        if (options_.folderTotals && (options_.footerFileCount || options_.footerTotalSize)) {
            sink_->appendLine(QString());
            WriteFooter(options_, section_, drive_, *sink_);
        }
    }
    if (!subfoldersInScan_ && searchesBelow(level)) findSubfolders(level);
    readAhead();
}

// Asks for the folders the walk lists next, as far as their names are known: the subfolders
// still to come of the deepest folder first, then those of the folders above it. A folder
// found since comes before those asked for earlier, which give way if not started.
void TreeRun::readAhead() {
    if (!ahead_) return;
    std::vector<QByteArray> next;
    for (auto level = path_.rbegin(); level != path_.rend() && next.size() < ahead_->limit();
         ++level) {
        for (size_t i = level->next; i < level->subfolders.size() && next.size() < ahead_->limit();
             ++i)
            next.push_back(Joined(level->raw, level->subfolders[i]));
    }
    ahead_->want(next);
}

// A second look at a folder whose listing leaves names out: its subdirectories, in the same
// order; hidden ones are not even asked about while hidden entries are not shown.
void TreeRun::findSubfolders(Level& level) {
    const int attrMask = AttrDirectory | AttrSystem | (options_.showHidden ? AttrHidden : 0);
    TSearchRec rec;
    auto open = [&] {
        return OpenEntryScan(level.raw, QStringLiteral("*"), attrMask, rec, options_.order,
                             options_.fetch);
    };
    for (int code = withDescriptors(open); code == 0; code = NextScanEntry(rec)) {
        if ((rec.Attr & AttrDirectory) && !IsDotName(rec.RawName))
            level.subfolders.push_back(rec.RawName);
    }
    CloseEntryScan(rec);
}

// Whether a subdirectory is searched: never a symbolic link, never a folder already on the
// way down (a bind mount of an ancestor would loop), and with one file system asked for,
// never another file system's mount point.
bool TreeRun::enter(const Level& parent, const QByteArray& name, Level& child) const {
    child.raw = Joined(parent.raw, name);
    if (!IdentifyFolder(child.raw, false, child.id)) return false;
    for (const Level& above : path_)
        if (above.id.device == child.id.device && above.id.inode == child.id.inode) return false;
    if (options_.oneFileSystem && child.id.device != path_.front().id.device) return false;
    child.display = parent.display;
    if (!child.display.endsWith(QLatin1Char('/'))) child.display += QLatin1Char('/');
    child.display += DisplayName(name);
    if (entries_) {
        std::u32string text;
        // The data formats quote or escape what would break a listing's lines.
        DecodeName(name.constData(), size_t(name.size()), text, true);
        const QString decoded = QString::fromUcs4(text.data(), qsizetype(text.size()));
        child.relative = parent.relative == QLatin1String(".")
                             ? decoded
                             : parent.relative + QLatin1Char('/') + decoded;
    }
    child.depth = parent.depth + 1;
    return true;
}

ListingResult TreeRun::run() {
    if (hooks_.searchSpecReady) hooks_.searchSpecReady(total_.searchSpec);
    if (!entries_) {
        sink_->clear();
        WriteHeader(options_, total_.searchSpec, drive_, *sink_);
    }

    Level start;
    start.raw =
        options_.rawDirectory.isEmpty() ? options_.directory.toUtf8() : options_.rawDirectory;
    start.display = options_.directory;
    start.relative = QStringLiteral(".");
    IdentifyFolder(start.raw, true, start.id);
    path_.push_back(std::move(start));
    listSection(path_.back(), true);
    while (!total_.abandoned && !path_.empty()) {
        Level& top = path_.back();
        if (top.next == top.subfolders.size()) {
            path_.pop_back();
            continue;
        }
        const QByteArray name = std::move(top.subfolders[top.next++]);
        Level child;
        if (!enter(top, name, child)) {
            if (ahead_) ahead_->drop(Joined(top.raw, name));
            continue;
        }
        path_.push_back(std::move(child));
        listSection(path_.back(), false);
    }
    path_.clear();
    if (total_.abandoned) {
        if (hooks_.finished) hooks_.finished();
        return total_;
    }
    if (entries_) {
        if (hooks_.finished) hooks_.finished();
        return total_;
    }
    if (!bodyWritten_) {
        // An empty tree reads as an empty folder does today.
        if (options_.columnIndex >= 1 && options_.columnIndex <= 5) sink_->appendLine(QString());
        sink_->appendLine(QStringLiteral("no files founded"));
    }
    sink_->appendLine(QString());
    WriteFooter(options_, total_, drive_, *sink_);
    if (hooks_.finished) hooks_.finished();
    return total_;
}

}  // namespace

ListingResult BuildTreeReport(const ListingOptions& options, ListingSink& sink,
                              const ListingHooks& hooks) {
    TreeRun run(options, &sink, nullptr, hooks);
    return run.run();
}

ListingResult ListTreeEntries(const ListingOptions& options, EntrySink& entries,
                              const ListingHooks& hooks) {
    TreeRun run(options, nullptr, &entries, hooks);
    return run.run();
}

}  // namespace tabulist
