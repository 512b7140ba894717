// BuildListingReport and ListEntries: scan, filter, and write one listing as lines or as entries.
#include "listing/ListingEngine.h"

#include "listing/ActivityTicker.h"
#include "listing/BodyLines.h"
#include "listing/ChecksumListing.h"
#include "listing/EntryFilter.h"
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

// One run of the listing: its own enumeration, filter and counters.
class ListingRun {
public:
    ListingRun(const ListingOptions& options, ListingSink* sink, const ListingHooks& hooks)
        : options_(options),
          sink_(sink),
          hooks_(hooks),
          filter_(options),
          ticker_(hooks.activity) {}

    // Closes the enumeration whatever ended the run: its end, abandonment or an error.
    ~ListingRun() { CloseEntryScan(rec_); }

    ListingResult run();
    ListingResult listEntries(EntrySink& entries);

private:
    bool NextMatchingEntry();
    int OpenScan();
    const QByteArray& scanFolder();
    void countEntry();
    void bodyScan();

    const ListingOptions& options_;
    ListingSink* sink_;  // null when the entries go to an EntrySink
    const ListingHooks& hooks_;
    EntryFilter filter_;
    ActivityTicker ticker_;
    TSearchRec rec_;
    ScanState state_ = ScanState::First;
    ListingResult result_;
    QByteArray scanFolder_;
};

bool ListingRun::NextMatchingEntry() {
    if (ListingOvertaken(hooks_, ticker_)) {
        result_.abandoned = true;
        state_ = ScanState::Exhausted;
        return false;
    }
    const int code = state_ == ScanState::First ? OpenScan() : NextScanEntry(rec_);
    if (code != 0) {
        state_ = ScanState::Exhausted;
        return false;
    }
    return filter_.passes(rec_);
}

int ListingRun::OpenScan() {
    const QString mask =
        result_.searchSpec.mid(result_.searchSpec.lastIndexOf(QLatin1Char('/')) + 1);
    // A mask holding "/" reaches into a subdirectory; only the text form says which.
    if (options_.rawDirectory.isEmpty() || options_.maskText.contains(QLatin1Char('/')))
        return OpenEntryScan(result_.searchSpec, 63, rec_, options_.order, options_.fetch);
    return OpenEntryScan(options_.rawDirectory, mask, 63, rec_, options_.order, options_.fetch);
}

// The folder the scan reads, as the file system names it.
const QByteArray& ListingRun::scanFolder() {
    if (!scanFolder_.isEmpty()) return scanFolder_;
    if (options_.rawDirectory.isEmpty() || options_.maskText.contains(QLatin1Char('/')))
        scanFolder_ =
            result_.searchSpec.left(result_.searchSpec.lastIndexOf(QLatin1Char('/'))).toUtf8();
    else
        scanFolder_ = options_.rawDirectory;
    if (scanFolder_.isEmpty()) scanFolder_ = QByteArrayLiteral("/");
    return scanFolder_;
}

void ListingRun::countEntry() {
    ++result_.fileCount;
    result_.totalSize += rec_.Size;
    if (rec_.Attr & AttrDirectory) ++result_.dirCount;
}

void ListingRun::bodyScan() {
    BodyLines body(options_);
    while (state_ != ScanState::Exhausted) {
        if (NextMatchingEntry()) {
            countEntry();
            if (const QString* line = body.add(rec_)) sink_->appendLine(*line);
            if (hooks_.entryListed) hooks_.entryListed(scanFolder(), rec_);
        }
        if (state_ == ScanState::First) state_ = ScanState::Continue;
    }
    if (result_.abandoned) return;
    // The remainder of the columns, or an empty line when the names filled every line.
    if (const QString* line = body.rest()) sink_->appendLine(*line);
}

ListingResult ListingRun::run() {
    result_.searchSpec = SearchSpecFor(options_.directory, options_.maskText);
    if (hooks_.searchSpecReady) hooks_.searchSpecReady(result_.searchSpec);
    sink_->clear();

    DriveFigures drive(options_, hooks_);
    WriteHeader(options_, result_.searchSpec, drive, *sink_);

    bodyScan();
    CloseEntryScan(rec_);
    if (result_.abandoned) {
        if (hooks_.finished) hooks_.finished();
        return result_;
    }

    if (result_.fileCount == 0) sink_->appendLine(QStringLiteral("no files founded"));
    sink_->appendLine(QString());
    WriteFooter(options_, result_, drive, *sink_);
    if (hooks_.finished) hooks_.finished();
    return result_;
}

bool IsDotEntry(const TSearchRec& rec) {
    return rec.RawName == QByteArrayLiteral(".") || rec.RawName == QByteArrayLiteral("..");
}

ListingResult ListingRun::listEntries(EntrySink& entries) {
    result_.searchSpec = SearchSpecFor(options_.directory, options_.maskText);
    if (hooks_.searchSpecReady) hooks_.searchSpecReady(result_.searchSpec);
    const QString folder = QStringLiteral(".");
    entries.folder(folder);
    while (state_ != ScanState::Exhausted) {
        if (NextMatchingEntry() && !IsDotEntry(rec_)) {
            countEntry();
            entries.entry(folder, rec_);
            if (hooks_.entryListed) hooks_.entryListed(scanFolder(), rec_);
        }
        if (state_ == ScanState::First) state_ = ScanState::Continue;
    }
    CloseEntryScan(rec_);
    if (hooks_.finished) hooks_.finished();
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
    ListingRun run(options, nullptr, hooks);
    return run.listEntries(sink);
}

}  // namespace tabulist
