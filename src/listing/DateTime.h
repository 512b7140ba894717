#pragma once

#include <cstdint>

namespace tabulist {

// Date-time value: days since 30 December 1899 00:00, the fraction the time of day.
using DateTime = double;

// The fields of a packed stamp, checked as PackedTimeToDateTime checks them.
struct StampFields {
    int year, month, day, hour, minute, second;
    int weekDay;  // 1 = Sunday .. 7 = Saturday
};
StampFields PackedTimeFields(int32_t packed);

// Date and time of a packed stamp (bits 31-25 year-1980, 24-21 month, 20-16 day,
// 15-11 hour, 10-5 minute, 4-0 second/2). Throws EConvertError for an invalid date or time.
DateTime PackedTimeToDateTime(int32_t packed);
// Date at 00:00:00; throws "Invalid argument to date encode" for an impossible date.
DateTime EncodeDate(int year, int month, int day);
// Time of day as a fraction; throws "Invalid argument to time encode".
DateTime EncodeTime(int hour, int minute, int second, int msec = 0);
// Inverse of EncodeDate/EncodeTime, for the clock and tests.
void DecodeDateTime(DateTime t, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec);
int DayOfWeek(DateTime t);  // 1 = Sunday .. 7 = Saturday

}  // namespace tabulist
