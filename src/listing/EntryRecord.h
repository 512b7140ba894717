#pragma once

#include <QString>
#include <cstdint>

#include "platform/Entries.h"

namespace tabulist {

// One entry as the data formats carry it.
struct EntryRecord {
    QString folder;      // relative to the listed directory, "." for itself, "/" between parts
    QString name;        // UTF-8 decoded, bad bytes as U+FFFD, control characters kept
    QString type;        // "file", "directory" or "other"
    QString attributes;  // the detail line's letters without spaces
    int64_t size = 0;    // bytes; 0 for a directory
    QString modified;    // the true last write, ISO 8601 with the local offset of that date
    bool known = true;   // false: attributes, size and modified could not be read
};

EntryRecord MakeEntryRecord(const QString& folder, const TSearchRec& rec);

}  // namespace tabulist
