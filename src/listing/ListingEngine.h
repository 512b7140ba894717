#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <functional>

#include "listing/ListingOptions.h"
#include "platform/Entries.h"

namespace tabulist {

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
// Folders are named relative to the listed directory: "." for itself, "/" between parts.
// The calls come in listing order: folder(f), then f's entries, then the next folder's.
class EntrySink {
public:
    virtual ~EntrySink() = default;
    // A folder's section starts: called for every folder listed, an empty one too, "."
    // first. Its entries follow, until the next folder() or the end; a sink that wants
    // folder totals counts them itself.
    virtual void folder(const QString& folder) { (void)folder; }
    // One entry of the folder whose section is open.
    virtual void entry(const QString& folder, const TSearchRec& rec) = 0;
    // The entry with its file's checksum (ChecksumEntries); sinks that carry checksums
    // override this, the others list the entry as it is.
    virtual void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                                   const EntryChecksum& checksum) {
        (void)checksum;
        entry(folder, rec);
    }
    // A folder, or part of one, could not be read: message is the I/O error's text. The
    // listing goes on with the next folder.
    virtual void unreadable(const QString& folder, const QString& message) {
        (void)folder;
        (void)message;
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
    // Checksums: a file that could not be read (its path and the I/O message; the listing
    // goes on), and the bytes read of those found so far, about four times a second.
    std::function<void(const QString& path, const QString& message)> unreadableFile;
    std::function<void(int64_t done, int64_t total)> checksumProgress;
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
