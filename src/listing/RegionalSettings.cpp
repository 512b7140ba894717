// The regional settings of the current locale.
#include "listing/RegionalSettings.h"

#include "listing/RegionalFormats.h"
#include "platform/LocaleTimeItems.h"

namespace tabulist {

RegionalSettings RegionalSettings::fromLocale() {
    return RegionalSettingsFromItems(ReadLocaleTimeItems());
}

}  // namespace tabulist
