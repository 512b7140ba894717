#pragma once

#include "listing/ListingOptions.h"
#include "settings/SavedOptions.h"

namespace tabulist {

// The listing options a settings record holds: header and footer lines, their units,
// the detail fields, hidden entries, column count and size unit. The window and
// tabulist-list both start from this and then apply their own controls or flags.
// It lives in a library of its own so that neither settings nor listing depends on the other.
void ApplyOptionsRecord(const TSavedOptions& record, ListingOptions& options);

}  // namespace tabulist
