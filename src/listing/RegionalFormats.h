#pragma once

#include "listing/RegionalSettings.h"
#include "platform/LocaleTimeItems.h"

namespace tabulist {

// Maps the strftime formats to the settings; empty items keep their fallbacks.
// A 12-hour clock whose format has no %p gets empty designators: it shows no mark.
RegionalSettings RegionalSettingsFromItems(const LocaleTimeItems& items);

}  // namespace tabulist
