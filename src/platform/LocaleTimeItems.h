#pragma once

#include <QString>
#include <QStringList>

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

// The items of the current LC_TIME locale.
LocaleTimeItems ReadLocaleTimeItems();

}  // namespace tabulist
