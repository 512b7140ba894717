#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "listing/DateTime.h"
#include "listing/LineBuffer.h"
#include "listing/RegionalSettings.h"

namespace tabulist {

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

}  // namespace tabulist
