#include <gtest/gtest.h>

#include "listing/DateTime.h"
#include "platform/Errors.h"
#include "support/ErrorOf.h"

namespace tabulist {
namespace {

using test::ErrorOf;

int32_t Pack(int year, int month, int day, int hour, int minute, int second) {
    const uint32_t bits = static_cast<uint32_t>(year - 1980) << 25 | month << 21 | day << 16 |
                          hour << 11 | minute << 5 | second / 2;
    return static_cast<int32_t>(bits);
}

TEST(CalendarDates, DayNumbersAreConsecutiveAcrossLeapRules) {
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_EQ(EncodeDate(1900, 1, 1), 2.0);
    EXPECT_EQ(DayOfWeek(EncodeDate(1899, 12, 30)), 7);  // a Saturday
    // Walking day by day from 1 January 1 to 31 December 9999 must never skip or repeat.
    DateTime previous = EncodeDate(1, 1, 1) - 1;
    for (int year = 1; year <= 9999; ++year) {
        const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
        const int lengths[] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        for (int month = 1; month <= 12; ++month) {
            for (int day = 1; day <= lengths[month - 1]; ++day) {
                const DateTime t = EncodeDate(year, month, day);
                if (t != previous + 1) FAIL() << year << "-" << month << "-" << day;
                previous = t;
                // Decoding is checked at every month's ends, and daily around the packed range.
                const bool edge = day == 1 || day == lengths[month - 1];
                if (!edge && (year < 1899 || year > 2108)) continue;
                int y, m, d, h, n, s, ms;
                DecodeDateTime(t + 0.5, y, m, d, h, n, s, ms);
                ASSERT_TRUE(y == year && m == month && d == day && h == 12 && n == 0)
                    << year << "-" << month << "-" << day;
            }
        }
    }
}

TEST(CalendarDates, ImpossibleDatesAndTimesRaise) {
    const QString date = "Invalid argument to date encode";
    const QString time = "Invalid argument to time encode";
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(2001, 2, 29); }), date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(1900, 2, 29); }), date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(2000, 2, 29); }), "<no error>");
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(2001, 4, 31); }), date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(2001, 13, 1); }), date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(0, 1, 1); }), date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeDate(10000, 1, 1); }), date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeTime(24, 0, 0); }), time);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeTime(0, 60, 0); }), time);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeTime(0, 0, 60); }), time);
    EXPECT_EQ(ErrorOf<EConvertError>([] { EncodeTime(23, 59, 59, 999); }), "<no error>");
}

TEST(PackedTime, DecodesEveryField) {
    const DateTime t = PackedTimeToDateTime(Pack(2001, 5, 1, 13, 4, 6));
    EXPECT_DOUBLE_EQ(t, EncodeDate(2001, 5, 1) + EncodeTime(13, 4, 6));
    EXPECT_EQ(DayOfWeek(t), 3);  // a Tuesday
    int y, m, d, h, n, s, ms;
    DecodeDateTime(PackedTimeToDateTime(Pack(2107, 12, 31, 23, 59, 58)), y, m, d, h, n, s, ms);
    EXPECT_EQ(std::vector<int>({y, m, d, h, n, s, ms}),
              std::vector<int>({2107, 12, 31, 23, 59, 58, 0}));
}

TEST(PackedTime, InvalidFieldsRaiseTheirError) {
    const QString date = "Invalid argument to date encode";
    const QString time = "Invalid argument to time encode";
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(Pack(2001, 0, 1, 0, 0, 0)); }),
              date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(Pack(2001, 2, 30, 0, 0, 0)); }),
              date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(Pack(2001, 5, 0, 0, 0, 0)); }),
              date);
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(Pack(2001, 5, 1, 0, 0, 60)); }),
              time);
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(Pack(2001, 5, 1, 24, 0, 0)); }),
              time);
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(Pack(2001, 5, 1, 0, 60, 0)); }),
              time);
    EXPECT_EQ(ErrorOf<EConvertError>([] { PackedTimeToDateTime(0); }), date);
}

TEST(DecodeDateTime, RoundsToTheMillisecondAndCarriesIntoTheNextDay) {
    int y, m, d, h, n, s, ms;
    DecodeDateTime(EncodeDate(2001, 12, 31) + 0.99999999999, y, m, d, h, n, s, ms);
    EXPECT_EQ(std::vector<int>({y, m, d, h, n, s, ms}), std::vector<int>({2002, 1, 1, 0, 0, 0, 0}));
    DecodeDateTime(EncodeDate(2001, 5, 1) + EncodeTime(9, 8, 7, 654), y, m, d, h, n, s, ms);
    EXPECT_EQ(std::vector<int>({h, n, s, ms}), std::vector<int>({9, 8, 7, 654}));
    EXPECT_EQ(DayOfWeek(EncodeDate(2001, 12, 31) + 0.99999999999), 3);
}

}  // namespace
}  // namespace tabulist
