// BuildListingReport and ListEntries: scan, filter, and write one listing as lines or as entries.
#include "listing/ListingEngine.h"

#include "listing/BodyLines.h"
#include "listing/ChecksumListing.h"
#include "listing/FolderScan.h"
#include "listing/ReportLines.h"
#include "listing/TreeWalk.h"
#include "platform/Entries.h"

namespace tabulist {

QString SearchSpecFor(const QString& directory, const QString& maskText) {
    QString spec = directory;
    if (!spec.endsWith(QLatin1Char('/'))) spec += QLatin1Char('/');
    spec += maskText == QLatin1String("all") ? QStringLiteral("*.*") : maskText;
    return spec;
}

namespace {

enum class ScanState { First, Continue, Exhausted };

// One run of the listing: its own scan, filter and counters.
class ListingRun {
public:
    // entries: where the entries go instead of lines (then given to listEntries too).
    ListingRun(const ListingOptions& options, ListingSink* sink, const ListingHooks& hooks,
               EntrySink* entries = nullptr)
        : options_(options), sink_(sink), hooks_(hooks), scan_(options, hooks, entries) {}

    ListingResult run();
    ListingResult listEntries(EntrySink& entries);

private:
    bool NextMatchingEntry();
    const QByteArray& scanFolder();
    void bodyScan();

    const ListingOptions& options_;
    ListingSink* sink_;  // null when the entries go to an EntrySink
    const ListingHooks& hooks_;
    FolderScan scan_;
    ScanState state_ = ScanState::First;
    QString partFailed_;  // the message when the folder was read only in part
    ListingResult result_;
    QByteArray scanFolder_;
};

bool ListingRun::NextMatchingEntry() {
    if (scan_.overtaken()) {
        result_.abandoned = true;
        state_ = ScanState::Exhausted;
        return false;
    }
    const bool opening = state_ == ScanState::First;
    const int code = opening ? scan_.open(options_.rawDirectory, result_.searchSpec) : scan_.next();
    if (code != 0) {
        state_ = ScanState::Exhausted;
        // A folder that cannot be read lists nothing, one read in part what was read; the
        // caller hears of either.
        if (ScanUnreadable(code)) {
            const QString message = scan_.reportUnreadable(options_.directory, code);
            if (!opening) partFailed_ = message;
        }
        return false;
    }
    return scan_.passes();
}

// The folder the scan reads, as the file system names it.
const QByteArray& ListingRun::scanFolder() {
    if (!scanFolder_.isEmpty()) return scanFolder_;
    if (options_.rawDirectory.isEmpty() || scan_.textMask())
        scanFolder_ =
            result_.searchSpec.left(result_.searchSpec.lastIndexOf(QLatin1Char('/'))).toUtf8();
    else
        scanFolder_ = options_.rawDirectory;
    if (scanFolder_.isEmpty()) scanFolder_ = QByteArrayLiteral("/");
    return scanFolder_;
}

void ListingRun::bodyScan() {
    BodyLines body(options_);
    while (state_ != ScanState::Exhausted) {
        if (NextMatchingEntry()) {
            scan_.count(options_.directory, result_);
            if (const QString* line = body.add(scan_.rec())) sink_->appendLine(*line);
            if (hooks_.entryListed) hooks_.entryListed(scanFolder(), scan_.rec());
        }
        if (state_ == ScanState::First) state_ = ScanState::Continue;
    }
    if (result_.abandoned) return;
    // The remainder of the columns, or an empty line when the names filled every line.
    if (result_.fileCount != 0)
        if (const QString* line = body.rest()) sink_->appendLine(*line);
    if (!partFailed_.isEmpty()) sink_->appendLine(QLatin1String("cannot be read: ") + partFailed_);
}

ListingResult ListingRun::run() {
    result_.searchSpec = scan_.searchSpec();
    if (hooks_.searchSpecReady) hooks_.searchSpecReady(result_.searchSpec);
    sink_->clear();

    DriveFigures drive(options_, hooks_);
    WriteHeader(options_, result_.searchSpec, drive, *sink_);

    bodyScan();
    scan_.close();
    if (result_.abandoned) {
        Finished(hooks_);
        return result_;
    }
    FinishReport(options_, result_, result_.fileCount != 0 || !partFailed_.isEmpty(), drive, *sink_,
                 hooks_);
    return result_;
}

ListingResult ListingRun::listEntries(EntrySink& entries) {
    result_.searchSpec = scan_.searchSpec();
    if (hooks_.searchSpecReady) hooks_.searchSpecReady(result_.searchSpec);
    const QString folder = QStringLiteral(".");
    entries.folder(folder);
    while (state_ != ScanState::Exhausted) {
        if (NextMatchingEntry() && !scan_.isDot()) {
            scan_.count(options_.directory, result_);
            entries.entry(folder, scan_.rec());
            if (hooks_.entryListed) hooks_.entryListed(scanFolder(), scan_.rec());
        }
        if (state_ == ScanState::First) state_ = ScanState::Continue;
    }
    scan_.close();
    Finished(hooks_);
    return result_;
}

}  // namespace

ListingResult BuildListingReport(const ListingOptions& options, ListingSink& sink,
                                 const ListingHooks& hooks) {
    if (options.checksum) return BuildChecksumReport(options, sink, hooks);
    if (options.subfolders) return BuildTreeReport(options, sink, hooks);
    ListingRun run(options, &sink, hooks);
    return run.run();
}

ListingResult ListEntries(const ListingOptions& options, EntrySink& sink,
                          const ListingHooks& hooks) {
    if (options.checksum) return ListChecksummedEntries(options, sink, hooks);
    if (options.subfolders) return ListTreeEntries(options, sink, hooks);
    ListingRun run(options, nullptr, hooks, &sink);
    return run.listEntries(sink);
}

}  // namespace tabulist
