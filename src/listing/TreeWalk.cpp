// BuildTreeReport: one section per folder, depth first, in the order the listing shows them.
#include "listing/TreeWalk.h"

#include <QDir>
#include <algorithm>
#include <vector>

#include "listing/BodyLines.h"
#include "listing/FolderReadAhead.h"
#include "listing/FolderScan.h"
#include "listing/ReportLines.h"
#include "platform/Errors.h"
#include "platform/MaskMatcher.h"
#include "platform/NameCoding.h"
#include "platform/PathCheck.h"
#include "platform/WorkerPool.h"

namespace tabulist {

namespace {

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
          scan_(options, hooks, entries),
          drive_(options, hooks) {
        total_.searchSpec = scan_.searchSpec();
        subfoldersInScan_ = !scan_.textMask() && MaskMatcher(scan_.mask()).matchesAll();
        // Told to fetch on this thread alone (as tests compare), it reads nothing ahead either.
        if (!scan_.textMask() && options.fetch.minEntries != SIZE_MAX) {
            WorkerPool& pool = options.fetch.workers();
            const size_t folders = std::min<size_t>(pool.size() + 2, 16);
            ahead_ = std::make_unique<FolderReadAhead>(pool, folders, scan_.mask(), options.order,
                                                       AttrAny);
        }
    }

    ListingResult run();

private:
    void listSection(Level& level, bool start);
    int openScan(const Level& level, const QString& spec);
    bool nextEntry(Level& level, bool start, bool first);
    void write(const QString& line);
    void startSection(const QString& spec, bool start);
    void unreadable(const Level& level, int code, bool line);
    void findSubfolders(Level& level);
    void readAhead();
    template <typename Open>
    int withDescriptors(Open open);
    // failure: the I/O error code when the system could not look at the subfolder.
    bool enter(const Level& parent, const QByteArray& name, Level& child, int& failure) const;
    bool searchesBelow(const Level& level) const {
        return options_.depth < 0 || level.depth < options_.depth;
    }

    const ListingOptions& options_;
    ListingSink* sink_;
    EntrySink* entries_;
    const ListingHooks& hooks_;
    FolderScan scan_;
    DriveFigures drive_;
    bool subfoldersInScan_ = false;  // every name is listed, so the listing's scan finds them

    bool exhausted_ = false;
    int endCode_ = 0;      // what ended the section's scan
    QString pendingHead_;  // a section's path line, written before its first line
    bool headPending_ = false;
    bool bodyWritten_ = false;
    ListingResult section_;
    ListingResult total_;
    std::vector<Level> path_;
    std::unique_ptr<FolderReadAhead> ahead_;  // null: each folder read when it is reached
};

// Runs open; when the descriptors ran out, lets go of the folders read ahead, waits until the
// pool's tasks are done with the folders whose metadata they fetched (they hold those open),
// and tries once more; the walk goes on without reading ahead.
template <typename Open>
int TreeRun::withDescriptors(Open open) {
    const int code = open();
    if (code != InOutTooManyOpenFiles) return code;
    if (ahead_) {
        ahead_->release();
        ahead_.reset();
    }
    options_.fetch.workers().waitIdle();
    return open();
}

int TreeRun::openScan(const Level& level, const QString& spec) {
    int code = 0;
    if (ahead_ && ahead_->open(level.raw, scan_.rec(), options_.fetch, code)) return code;
    return withDescriptors([&] { return scan_.open(level.raw, spec); });
}

// The next entry of the section's scan; true when it is to be listed.
bool TreeRun::nextEntry(Level& level, bool start, bool first) {
    if (scan_.overtaken()) {
        total_.abandoned = true;
        exhausted_ = true;
        return false;
    }
    if (!first) {
        if (const int code = scan_.next()) {
            exhausted_ = true;
            endCode_ = code;
            return false;
        }
    }
    if (scan_.isDot()) return start && !entries_;
    // Where to look is not a question of the filters: they choose what is listed.
    const TSearchRec& rec = scan_.rec();
    if (subfoldersInScan_ && (rec.Attr & AttrDirectory) && searchesBelow(level) &&
        (options_.showHidden || !(rec.Attr & AttrHidden)))
        level.subfolders.push_back(rec.RawName);
    return scan_.passes();
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

void TreeRun::startSection(const QString& spec, bool start) {
    section_ = ListingResult();
    if (!start && hooks_.searchSpecReady) hooks_.searchSpecReady(spec);
    // As the listing's own path line: with the system's separator.
    pendingHead_ =
        QLatin1String("path:    \t") + QDir::toNativeSeparators(DisplayName(spec.toUtf8()));
    headPending_ = !start;
}

// A folder, or the rest of one, that could not be read: a line in its section (the starting
// folder lists nothing, as an empty one), and the caller hears of it.
void TreeRun::unreadable(const Level& level, int code, bool line) {
    const QString message = scan_.reportUnreadable(level.display, code);
    if (entries_) entries_->unreadable(level.relative, message);
    if (line && !entries_) write(QLatin1String("cannot be read: ") + message);
}

void TreeRun::listSection(Level& level, bool start) {
    const QString spec =
        start ? total_.searchSpec : SearchSpecFor(level.display, options_.maskText);
    startSection(spec, start);
    if (entries_) entries_->folder(level.relative);
    endCode_ = 0;
    const int code = openScan(level, spec);
    readAhead();
    // Nothing matching, or every entry gone: an empty section.
    if (ScanUnreadable(code)) {
        unreadable(level, code, !start);
        if (!start) return;
    }
    exhausted_ = code != 0;
    BodyLines body(options_);
    for (bool first = true; !exhausted_; first = false) {
        if (!nextEntry(level, start, first)) continue;
        scan_.count(level.display, section_, &total_);
        if (entries_) {
            entries_->entry(level.relative, scan_.rec());
        } else if (const QString* line = body.add(scan_.rec())) {
            write(*line);
        }
        if (hooks_.entryListed) hooks_.entryListed(level.raw, scan_.rec());
    }
    scan_.close();
    if (total_.abandoned) return;
    const bool listed = section_.fileCount != 0 && !entries_;
    if (listed)
        if (const QString* line = body.rest()) write(*line);
    if (ScanUnreadable(endCode_)) unreadable(level, endCode_, true);  // read in part
    if (listed && options_.folderTotals && (options_.footerFileCount || options_.footerTotalSize)) {
        sink_->appendLine(QString());
        WriteFooter(options_, section_, drive_, *sink_);
    }
    headPending_ = false;
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
        if ((rec.Attr & AttrDirectory) && !IsDotName(rec.RawName.constData()))
            level.subfolders.push_back(rec.RawName);
    }
    CloseEntryScan(rec);
}

// Whether a subdirectory is searched: never a symbolic link, never a folder already on the
// way down (a bind mount of an ancestor would loop), and with one file system asked for,
// never another file system's mount point.
bool TreeRun::enter(const Level& parent, const QByteArray& name, Level& child, int& failure) const {
    child.raw = Joined(parent.raw, name);
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
    if (!IdentifyFolder(child.raw, false, child.id, &failure)) return false;
    for (const Level& above : path_)
        if (above.id.device == child.id.device && above.id.inode == child.id.inode) return false;
    if (options_.oneFileSystem && child.id.device != path_.front().id.device) return false;
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
        int failure = 0;
        if (!enter(top, name, child, failure)) {
            if (ahead_) ahead_->drop(Joined(top.raw, name));
            if (failure != 0) {
                // Known to be a folder, it is not searched: its section says why.
                startSection(SearchSpecFor(child.display, options_.maskText), false);
                if (entries_) entries_->folder(child.relative);
                unreadable(child, failure, true);
                headPending_ = false;
            }
            continue;
        }
        path_.push_back(std::move(child));
        listSection(path_.back(), false);
    }
    path_.clear();
    if (total_.abandoned || entries_) {
        Finished(hooks_);
        return total_;
    }
    // An empty tree reads as an empty folder does.
    FinishReport(options_, total_, bodyWritten_, drive_, *sink_, hooks_);
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
