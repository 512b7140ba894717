#pragma once

#include <QString>

#include "settings/SavedOptions.h"

namespace tabulist {

// The record's file: LoadSavedOptions and StoreSavedOptions against any record, for
// tabulist-list and tests. Both throw EInOutError; a failed store leaves the previous file.
void LoadOptionsRecord(const QString& path, TSavedOptions& record);
void StoreOptionsRecord(const QString& path, const TSavedOptions& record);

}  // namespace tabulist
