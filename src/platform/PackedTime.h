#pragma once

#include <cstdint>
#include <ctime>

namespace tabulist {

// Packs a moment as the local date and time of that moment (date word high, time word
// low, seconds halved). Moments before 1980-01-01 00:00:00 local time pack as that one,
// moments after 2107-12-31 23:59:58 as that one.
int32_t PackLocalTime(time_t t);

// The packed form of given fields; they must lie within the packed range.
int32_t PackFields(int year, int month, int day, int hour, int minute, int second);

}  // namespace tabulist
