#pragma once

#include <QString>
#include <cstdint>

namespace tabulist {

// A moment as local date and time with seconds and the offset from UTC that applied on
// that date, e.g. "2001-05-01T13:04:07+02:00". Any moment the C library can break down.
QString IsoLocalTimeText(int64_t secondsSince1970);

// The same moment's local date and time in parts (month and day from 1); false when the C
// library cannot break it down.
struct LocalTimeParts {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};
bool LocalTimeOf(int64_t secondsSince1970, LocalTimeParts& parts);

}  // namespace tabulist
