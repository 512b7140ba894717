#pragma once

#include <QString>
#include <cstdint>
#include <vector>

#include "listing/LineBuffer.h"
#include "listing/RegionalSettings.h"

namespace tabulist {

// Date-time value: days since 30 December 1899 00:00, the fraction the time of day.
using DateTime = double;

// Decimal digits of n, "-" first when negative, filled on the left with spaces to width.
QString IntegerText(int64_t n, int width);
void AppendInteger(LineBuffer& out, int64_t n, int width);
// Fixed point with decimals digits, half away from zero on the 18-significant-digit
// expansion; "-" whenever x is negative; filled on the left to width; never cut.
QString FixedText(double x, int width, int decimals);
void AppendFixed(LineBuffer& out, double x, int width, int decimals);
// The first "." replaced by ",".
QString DecimalComma(const QString& text);

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

// The date in the short date pattern, then, unless the time is 00:00:00, a blank and
// the time in the long time pattern.
QString DateTimeText(DateTime t, const RegionalSettings& settings);

// DateTimeText's rendering with the date pattern read once, for a listing's many dates.
class DateTimeWriter {
public:
    explicit DateTimeWriter(const RegionalSettings& settings);
    void write(LineBuffer& out, const StampFields& stamp) const;

private:
    enum Item : uint8_t { Text, Day, Month, DayName, MonthName, Year };
    struct Piece {
        Item item;
        int width;          // Day, Month: 2 with a leading zero, else 0; Year: 2 or 4
        QString text;       // Text
        QStringList names;  // DayName from Sunday, MonthName from January
    };
    void writeDate(LineBuffer& out, const StampFields& stamp) const;

    const RegionalSettings& settings_;
    std::vector<Piece> pieces_;
};

// Size and per cent renderings of the listing.
QString UnitSuffix(int unit);  // " Bytes", " KBytes", " MBytes", " GBytes", "" otherwise

}  // namespace tabulist
