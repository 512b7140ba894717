#include <cstdio>
#include <ctime>

#include "platform/IsoTime.h"

namespace tabulist {

QString IsoLocalTimeText(int64_t secondsSince1970) {
    const time_t t = time_t(secondsSince1970);
    tm local{};
    if (!localtime_r(&t, &local)) {
        // Out of the C library's range: the moment in UTC says at least what it is.
        gmtime_r(&t, &local);
        local.tm_gmtoff = 0;
    }
    const long offset = local.tm_gmtoff;
    const long magnitude = offset < 0 ? -offset : offset;
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02d-%02dT%02d:%02d:%02d%c%02ld:%02ld",
                  1900LL + local.tm_year, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                  local.tm_min, local.tm_sec, offset < 0 ? '-' : '+', magnitude / 3600,
                  magnitude / 60 % 60);
    return QString::fromLatin1(text);
}

bool LocalTimeOf(int64_t secondsSince1970, LocalTimeParts& parts) {
    const time_t t = time_t(secondsSince1970);
    tm local{};
    if (!localtime_r(&t, &local)) return false;
    parts = {int(1900 + local.tm_year),
             local.tm_mon + 1,
             local.tm_mday,
             local.tm_hour,
             local.tm_min,
             local.tm_sec};
    return true;
}

}  // namespace tabulist
