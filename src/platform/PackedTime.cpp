// Modification times packed into the 32-bit date-time layout.
#include "platform/PackedTime.h"

namespace tabulist {

int32_t PackFields(int year, int month, int day, int hour, int minute, int second) {
    const uint32_t date = uint32_t(year - 1980) << 9 | uint32_t(month) << 5 | uint32_t(day);
    const uint32_t time = uint32_t(hour) << 11 | uint32_t(minute) << 5 | uint32_t(second / 2);
    // Years from 2044 set the top bit: the word is the same bits read as signed.
    return int32_t(date << 16 | time);
}

int32_t PackLocalTime(time_t t) {
    const int32_t earliest = PackFields(1980, 1, 1, 0, 0, 0);
    const int32_t latest = PackFields(2107, 12, 31, 23, 59, 58);
    tm local;
    if (!localtime_r(&t, &local)) return t < 0 ? earliest : latest;
    const long long year = 1900LL + local.tm_year;
    if (year < 1980) return earliest;
    if (year > 2107) return latest;
    // A leap second would overflow the halved-seconds field.
    const int second = local.tm_sec > 59 ? 59 : local.tm_sec;
    return PackFields(int(year), local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                      second);
}

}  // namespace tabulist
