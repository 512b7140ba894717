// Loading and storing the 296-byte options record.
#include "settings/SettingsFile.h"

#include "platform/Errors.h"
#include "platform/FileStore.h"

namespace tabulist {

void LoadOptionsRecord(const QString& path, TSavedOptions& record) {
    // A file shorter than the record fills what it has and reports reading past its end.
    if (ReadFileStart(path, &record, sizeof(TSavedOptions)) < sizeof(TSavedOptions))
        throw EInOutError(100);
}

void StoreOptionsRecord(const QString& path, const TSavedOptions& record) {
    ReplaceFile(path, &record, sizeof(TSavedOptions));
}

}  // namespace tabulist
