#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

#include "listing/Checksums.h"
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

    // Addition: each file's checksum, read on the worker pool; the last field of detail lines
    // and a field named after the algorithm in the data formats.
    std::optional<ChecksumAlgorithm> checksum;
};

}  // namespace tabulist
