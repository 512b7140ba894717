// Date-time values: encoding, decoding and their checked arithmetic.
#include "listing/DateTime.h"

#include <cmath>
#include <cstdint>

#include "platform/Errors.h"

namespace tabulist {

namespace {

constexpr int64_t MSecsPerDay = 86400000;
constexpr int64_t UnixEpochDay = 25569;  // 1 January 1970 as a day number

bool IsLeapYear(int year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

int DaysInMonth(int year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : lengths[month - 1];
}

// Proleptic Gregorian calendar arithmetic on days since 1 January 1970.
int64_t DaysFromCivil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(era * 400 + yoe + (month <= 2));
}

// Whole days and milliseconds of the day; a fraction that rounds to a full day moves on.
void SplitDateTime(DateTime t, int64_t& days, int64_t& msecs) {
    const double whole = std::floor(t);
    days = static_cast<int64_t>(whole);
    msecs = std::llround((t - whole) * MSecsPerDay);
    if (msecs >= MSecsPerDay) {
        ++days;
        msecs -= MSecsPerDay;
    }
}

}  // namespace

DateTime EncodeDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
        day > DaysInMonth(year, month))
        throw DateEncodeError();
    return static_cast<double>(DaysFromCivil(year, month, day) + UnixEpochDay);
}

DateTime EncodeTime(int hour, int minute, int second, int msec) {
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59 ||
        msec < 0 || msec > 999)
        throw TimeEncodeError();
    return (((hour * 60 + minute) * 60 + second) * 1000.0 + msec) / MSecsPerDay;
}

StampFields PackedTimeFields(int32_t packed) {
    const auto bits = static_cast<uint32_t>(packed);
    StampFields f;
    f.year = static_cast<int>(bits >> 25) + 1980;
    f.month = (bits >> 21) & 0x0F;
    f.day = (bits >> 16) & 0x1F;
    f.hour = (bits >> 11) & 0x1F;
    f.minute = (bits >> 5) & 0x3F;
    f.second = (bits & 0x1F) * 2;
    const DateTime date = EncodeDate(f.year, f.month, f.day);
    EncodeTime(f.hour, f.minute, f.second);  // the same checks, in the same order
    f.weekDay = DayOfWeek(date);
    return f;
}

DateTime PackedTimeToDateTime(int32_t packed) {
    const StampFields f = PackedTimeFields(packed);
    return EncodeDate(f.year, f.month, f.day) + EncodeTime(f.hour, f.minute, f.second);
}

void DecodeDateTime(DateTime t, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& msec) {
    int64_t days = 0, msecs = 0;
    SplitDateTime(t, days, msecs);
    CivilFromDays(days - UnixEpochDay, year, month, day);
    hour = static_cast<int>(msecs / 3600000);
    minute = static_cast<int>(msecs / 60000 % 60);
    second = static_cast<int>(msecs / 1000 % 60);
    msec = static_cast<int>(msecs % 1000);
}

int DayOfWeek(DateTime t) {
    int64_t days = 0, msecs = 0;
    SplitDateTime(t, days, msecs);
    // Day 0, 30 December 1899, was a Saturday.
    return static_cast<int>(((days + 6) % 7 + 7) % 7) + 1;
}

}  // namespace tabulist
