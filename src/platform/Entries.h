#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>
#include <memory>

#include "platform/EntryOrder.h"

namespace tabulist {

constexpr int32_t AttrReadOnly = 0x01;
constexpr int32_t AttrHidden = 0x02;
constexpr int32_t AttrSystem = 0x04;
constexpr int32_t AttrVolumeLabel = 0x08;
constexpr int32_t AttrDirectory = 0x10;
constexpr int32_t AttrArchive = 0x20;

// Every attribute bit: an attribute mask that excludes nothing.
constexpr int AttrAny = 0x3F;

// Result code of NextScanEntry at the end of the entries.
constexpr int ScanNoMoreFiles = 18;
// Codes of opening a scan that leave nothing to list without anything unread: no name
// matches (the code of "File not found", which a folder gone meanwhile gives too), and a path
// that names no folder (the code of "Invalid filename").
constexpr int ScanNothingFound = 2;
constexpr int ScanNotAFolder = 3;

// "." or "..", the entries for the folder itself and its parent.
inline bool IsDotName(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

class EntryScan;  // an open enumeration (platform specific)
class WorkerPool;

// How a folder's metadata is fetched: in a folder of at least minEntries names by the pool's
// threads (the shared one when null), ahead of the entry being read; in smaller ones on the
// caller's thread as each entry is reached.
struct MetadataFetch {
    WorkerPool* pool = nullptr;
    size_t minEntries = 1024;

    WorkerPool& workers() const;  // pool, or the shared one
};

// One directory enumeration and its current entry.
struct TSearchRec {
    TSearchRec();
    ~TSearchRec();
    TSearchRec(TSearchRec&&) noexcept;
    TSearchRec& operator=(TSearchRec&&) noexcept;

    int32_t Time = 0;          // packed local date and time of the last write
    int64_t Size = 0;          // full size in bytes (0 for directories)
    int32_t Attr = 0;          // attribute word
    int64_t ModifiedTime = 0;  // last write in seconds since 1970, neither packed nor clamped
    // Non-zero: the I/O error code with which the system refused the entry's metadata; it is
    // listed by name, as a file of size 0, its attributes, size and time shown as unknown.
    int MetadataError = 0;
    QString Name;        // display name: decoded, control characters shown as "?"
    QByteArray RawName;  // the name's bytes as the file system holds them
    uint32_t ExcludeMask = 0;
    std::unique_ptr<EntryScan> ScanHandle;  // null when no enumeration is open

    bool isOpen() const { return ScanHandle != nullptr; }
};

// pattern: a directory, "/", and a mask whose last component may hold * and ?.
// Returns 0 with the first entry in rec and the enumeration open, or a non-zero
// code with nothing left open. mask: attribute bits that may be returned; the
// hidden, system, volume-label and directory bits missing from it are excluded.
// order: an addition; by size or date every entry's metadata is fetched before the first.
int OpenEntryScan(const QString& pattern, int mask, TSearchRec& rec, EntryOrder order = {},
                  const MetadataFetch& fetch = {});
// The same with the directory given as raw bytes (a path read back from the
// file system, never re-encoded) and the mask separately.
int OpenEntryScan(const QByteArray& directory, const QString& mask, int attrMask, TSearchRec& rec,
                  EntryOrder order = {}, const MetadataFetch& fetch = {});
// 0 with the next entry in rec; at the end ScanNoMoreFiles, or the I/O error code that cut
// the reading of the folder's names short (the names read before it were returned).
int NextScanEntry(TSearchRec& rec);

// OpenEntryScan's work done ahead of time, on any thread: the names read and put in order
// and, in a folder of at most fetchUpTo names, every entry's metadata fetched.
struct PreparedScan {
    PreparedScan();
    ~PreparedScan();
    PreparedScan(PreparedScan&&) noexcept;
    PreparedScan& operator=(PreparedScan&&) noexcept;

    int code = 0;  // non-zero: what opening the scan returns
    uint32_t excludeMask = 0;
    std::unique_ptr<EntryScan> scan;
};
PreparedScan PrepareEntryScan(const QByteArray& directory, const QString& mask, int attrMask,
                              EntryOrder order, size_t fetchUpTo);
// Opens rec on a prepared scan as OpenEntryScan would have opened it when it was prepared;
// metadata not fetched yet is fetched as fetch says.
int OpenPreparedScan(PreparedScan&& prepared, TSearchRec& rec, const MetadataFetch& fetch = {});
void CloseEntryScan(TSearchRec& rec);

}  // namespace tabulist
