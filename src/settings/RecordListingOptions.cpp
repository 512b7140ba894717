// The one mapping from the stored options record to the engine's options.
#include "settings/RecordListingOptions.h"

namespace tabulist {

void ApplyOptionsRecord(const TSavedOptions& record, ListingOptions& options) {
    options.headerDriveName = record.HeaderDriveName != 0;
    options.headerDriveInfo = record.HeaderDriveInfo != 0;
    options.headerDrivePercent = record.HeaderDrivePercent != 0;
    options.headerPath = record.HeaderPath != 0;
    options.footerFileCount = record.FooterFileCount != 0;
    options.footerPercent = record.FooterPercent != 0;
    options.footerTotalSize = record.FooterTotalSize != 0;
    options.showAttributes = record.ShowAttributes != 0;
    options.showSize = record.ShowSize != 0;
    options.showDate = record.ShowDate != 0;
    options.showUnit = record.ShowUnit != 0;
    options.showHidden = record.ShowHidden != 0;
    options.driveInfoUnit = record.DriveInfoUnit;
    options.totalSizeUnit = record.TotalSizeUnit;
    // An index naming no entry of its list leaves the list without a selection.
    options.columnIndex = record.ColumnIndex <= 5 ? record.ColumnIndex : -1;
    options.sizeUnitIndex = record.SizeUnitIndex <= 3 ? record.SizeUnitIndex : -1;
}

}  // namespace tabulist
