#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>

#include "listing/RegionalSettings.h"
#include "platform/Entries.h"
#include "platform/EntryOrder.h"

namespace tabulist {

// Everything a listing depends on, gathered by the window from its controls (or by
// tabulist-list from its arguments) when the listing starts.
struct ListingOptions {
    QString directory;  // the directory listed (no trailing "/" needed)
    // The same path as the file system holds it (absolute, or relative to the working
    // directory), when the caller has it: names that are not UTF-8 do not survive the round
    // trip through text. Empty: directory is encoded.
    QByteArray rawDirectory;
    QString maskText = QStringLiteral("all");  // the mask as typed; exactly "all" means "*.*"
    int columnIndex = 0;  // 0 one column with detail lines; 1..5 for 2..6 columns; -1 none
    bool showAttributes = true;
    bool showSize = true;
    bool showDate = true;
    bool showUnit = false;  // unit suffixes and " %"
    int sizeUnitIndex = 0;  // 0 Bytes .. 3 GBytes; other values show nothing
    bool showHidden = false;
    int attributeClass = 0;  // 0 all, 1 archive, 2 read only, 3 system
    bool dateFilter = false;
    int startDayIndex = 0, startMonthIndex = 0, startYearIndex = 0;  // day-1, month-1, year-1980
    int stopDayIndex = 0, stopMonthIndex = 0, stopYearIndex = 0;

    // Header and footer lines, as the settings record holds them.
    bool headerDriveName = false;
    bool headerDriveInfo = false;
    bool headerDrivePercent = false;
    bool headerPath = false;
    bool footerFileCount = false;
    bool footerPercent = false;
    bool footerTotalSize = false;
    int driveInfoUnit = 0;
    int totalSizeUnit = 0;

    EntryOrder order;  // addition: name ascending is the listing's own order

    QString driveText;  // the drive selector's text, for the drive line
    QChar driveLetter;  // the drive selector's letter; null for none
    RegionalSettings regional;
    MetadataFetch fetch;  // where the entries' metadata is fetched; the listing is the same

    // Subfolders: off lists the one folder, exactly as without them.
    bool subfolders = false;
    int depth = -1;              // levels of subfolders searched; negative: no limit
    bool oneFileSystem = false;  // other file systems' mount points are listed, not entered
    bool folderTotals = false;   // the footer lines after each folder's section
};

// Where the lines go: the text view, standard output or a test's vector.
class ListingSink {
public:
    virtual ~ListingSink() = default;
    virtual void clear() = 0;
    virtual void appendLine(const QString& line) = 0;
};

// A file's checksum as the data formats carry it.
struct EntryChecksum {
    QByteArray text;          // lower-case hexadecimal; empty for anything but a file read
    QByteArray relativePath;  // from the listed directory, as the file system names it
};

// Where the entries go when a listing is exported as data rather than written as lines.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    // folder: where the entry lies, relative to the listed directory ("." for itself).
    virtual void entry(const QString& folder, const TSearchRec& rec) = 0;
    // The entry with its file's checksum (ChecksumEntries); sinks that carry checksums
    // override this, the others list the entry as it is.
    virtual void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                                   const EntryChecksum& checksum) {
        (void)checksum;
        entry(folder, rec);
    }
};

// The window's hooks into a running listing. All are optional.
struct ListingHooks {
    std::function<void(const QString& searchSpec)> searchSpecReady;  // status panel 3
    std::function<void()> processMessages;                // once per entry, before each fetch
    std::function<bool()> abandoned;                      // checked right after processMessages
    std::function<void(const QString& glyphs)> activity;  // status panel 2 text
    std::function<void()> finished;                       // the listing ended or was abandoned
                                                          // (not called when an error ends it)
    std::function<int64_t(uint8_t drive)> driveSize;      // defaults to QueryDriveSize
    std::function<int64_t(uint8_t drive)> driveFree;      // defaults to QueryDriveFree
    // A subfolder that could not be read: its path and the I/O message; the listing goes on.
    std::function<void(const QString& folder, const QString& message)> unreadableFolder;
    // The entry just listed (its line or record was the last one handed on), with its folder
    // as the file system names it: checksums read the file from there.
    std::function<void(const QByteArray& folder, const TSearchRec& rec)> entryListed;
};

struct ListingResult {
    QString searchSpec;
    int64_t fileCount = 0;  // entries listed, directories included
    int64_t totalSize = 0;
    int32_t dirCount = 0;
    bool abandoned = false;
};

// directory + "/" (unless it ends in "/") + the mask, "all" exactly standing for "*.*".
QString SearchSpecFor(const QString& directory, const QString& maskText);

// Builds one listing report. Errors (date encoding, floating-point) propagate as
// exceptions after the lines written so far; the enumeration is always closed.
ListingResult BuildListingReport(const ListingOptions& options, ListingSink& sink,
                                 const ListingHooks& hooks = {});

// The entries the report would list with the same options, in the same order, without
// "." and ".."; no header or footer. Errors propagate as for the report.
ListingResult ListEntries(const ListingOptions& options, EntrySink& sink,
                          const ListingHooks& hooks = {});

}  // namespace tabulist
