// The LC_TIME items through nl_langinfo.
#include <langinfo.h>

#include "platform/LocaleTimeItems.h"

namespace tabulist {

namespace {

QString Item(nl_item item) { return QString::fromUtf8(nl_langinfo(item)); }

QStringList Items(const nl_item* items, int count) {
    QStringList names;
    for (int i = 0; i < count; ++i) names << Item(items[i]);
    return names;
}

}  // namespace

LocaleTimeItems ReadLocaleTimeItems() {
    static constexpr nl_item shortMonths[] = {ABMON_1, ABMON_2,  ABMON_3,  ABMON_4,
                                              ABMON_5, ABMON_6,  ABMON_7,  ABMON_8,
                                              ABMON_9, ABMON_10, ABMON_11, ABMON_12};
    static constexpr nl_item longMonths[] = {MON_1, MON_2, MON_3, MON_4,  MON_5,  MON_6,
                                             MON_7, MON_8, MON_9, MON_10, MON_11, MON_12};
    static constexpr nl_item shortDays[] = {ABDAY_1, ABDAY_2, ABDAY_3, ABDAY_4,
                                            ABDAY_5, ABDAY_6, ABDAY_7};
    static constexpr nl_item longDays[] = {DAY_1, DAY_2, DAY_3, DAY_4, DAY_5, DAY_6, DAY_7};
    LocaleTimeItems items;
    items.dateFormat = Item(D_FMT);
    items.timeFormat = Item(T_FMT);
    items.timeFormatAmPm = Item(T_FMT_AMPM);
    items.am = Item(AM_STR);
    items.pm = Item(PM_STR);
    items.shortMonthNames = Items(shortMonths, 12);
    items.longMonthNames = Items(longMonths, 12);
    items.shortDayNames = Items(shortDays, 7);
    items.longDayNames = Items(longDays, 7);
    return items;
}

}  // namespace tabulist
