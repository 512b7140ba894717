#pragma once

// Options of the additions beyond the 296-byte record, kept in their own INI file beside it.

#include <QString>

#include "platform/EntryOrder.h"

namespace tabulist {

// Every default leaves the listing exactly as it is without the additions.
struct TAddedOptions {
    // Whole trees.
    bool Subfolders = false;
    bool FolderTotals = false;
    int Depth = -1;  // -1 no limit; 0 the starting folder only
    bool OneFileSystem = false;
    // Order.
    SortKey Sort = SortKey::Name;
    bool SortDescending = false;
};

// The one set of the run; the window reads it at start-up and writes it with the record.
extern TAddedOptions AddedOptions;

// "Tabulist.ini" in the folder of the settings file.
QString AddedOptionsPath(const QString& settingsPath);

// A missing or unreadable file gives the defaults, and a value that cannot be read gives
// that option's default: the additions never stop a start.
TAddedOptions LoadAddedOptions(const QString& path);
// Written atomically; throws EInOutError when the file cannot be written.
void StoreAddedOptions(const QString& path, const TAddedOptions& options);

}  // namespace tabulist
