#pragma once

#include <QByteArray>
#include <QString>

#include "listing/ActivityTicker.h"
#include "listing/BodyLines.h"
#include "listing/EntryFilter.h"
#include "listing/ListingEngine.h"
#include "platform/Entries.h"

namespace tabulist {

class DriveFigures;

// The step the listing of one folder and of a tree share for each folder: the scan opened on
// the folder, each entry fetched after the window's messages ran, tested against the filters
// and counted when listed.
class FolderScan {
public:
    // entries: where a data listing's entries go (null for lines).
    FolderScan(const ListingOptions& options, const ListingHooks& hooks,
               EntrySink* entries = nullptr);
    ~FolderScan() { close(); }  // whatever ended the run: its end, abandonment or an error
    FolderScan(const FolderScan&) = delete;
    FolderScan& operator=(const FolderScan&) = delete;

    // directory + "/" + mask, as the status panel and the path lines show it.
    const QString& searchSpec() const { return searchSpec_; }
    // The mask part of the search path (after its last "/").
    const QString& mask() const { return mask_; }
    // A mask holding "/" reaches into a subdirectory; only the text form says which.
    bool textMask() const { return textMask_; }

    // Opens the scan with the first entry: of folder, or of the folder spec names when folder
    // is empty or the mask is a text one. 0, or the code that left nothing to list.
    int open(const QByteArray& folder, const QString& spec);
    int next() { return NextScanEntry(rec_); }
    void close() { CloseEntryScan(rec_); }
    TSearchRec& rec() { return rec_; }

    // Once per entry before it is fetched: true when a newer request has taken over.
    bool overtaken() { return ListingOvertaken(hooks_, ticker_); }
    bool passes() { return filter_.passes(rec_); }
    bool isDot() const { return IsDotName(rec_.RawName.constData()); }
    // Counts the entry as listed; one whose metadata was refused is reported, folder being
    // where it lies as the path lines show it.
    void count(const QString& folder, ListingResult& counts, ListingResult* also = nullptr);

    // Tells of a folder, or the rest of one, that could not be read (folder as the path lines
    // show it) and returns the message: the one place the listing learns of it. A tree's data
    // listing also tells its writer, under the folder's relative name.
    QString reportUnreadable(const QString& folder, int code);

private:
    const ListingOptions& options_;
    const ListingHooks& hooks_;
    EntrySink* entries_;
    EntryFilter filter_;
    ActivityTicker ticker_;
    QString searchSpec_;
    QString mask_;
    bool textMask_;
    TSearchRec rec_;
};

// A code of opening a scan that means a folder, or part of one, could not be read; nothing
// matching, a folder gone and a path naming no folder leave an empty listing instead.
bool ScanUnreadable(int code);

// The end of a report: "no files founded" when nothing was listed (after the empty line of
// columns), the empty line, the footer, then the finished hook.
void FinishReport(const ListingOptions& options, const ListingResult& counts, bool listedAny,
                  DriveFigures& drive, ListingSink& sink, const ListingHooks& hooks);

inline void Finished(const ListingHooks& hooks) {
    if (hooks.finished) hooks.finished();
}

}  // namespace tabulist
