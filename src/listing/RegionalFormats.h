#pragma once

#include <QString>
#include <QStringList>

#include "listing/RegionalSettings.h"

namespace tabulist {

// The C library's LC_TIME items as text, so that their mapping can be tested
// without depending on the locales a machine has installed.
struct LocaleTimeItems {
    QString dateFormat;                           // D_FMT
    QString timeFormat;                           // T_FMT
    QString timeFormatAmPm;                       // T_FMT_AMPM, what %r stands for
    QString am, pm;                               // AM_STR, PM_STR
    QStringList shortMonthNames, longMonthNames;  // ABMON_1.., MON_1..
    QStringList shortDayNames, longDayNames;      // ABDAY_1.., DAY_1.. (Sunday first)
};

// Maps the strftime formats to the settings; empty items keep their fallbacks.
// A 12-hour clock whose format has no %p gets empty designators: it shows no mark.
RegionalSettings RegionalSettingsFromItems(const LocaleTimeItems& items);

}  // namespace tabulist
