#pragma once

#include <QString>
#include <QStringList>

#include "listing/ListingEngine.h"
#include "listing/Rendering.h"

namespace tabulist::test {

// Collects the listing's lines as the text view would hold them.
class LinesSink : public ListingSink {
public:
    void clear() override {
        lines.clear();
        ++clears;
    }
    void appendLine(const QString& line) override { lines << line; }

    QStringList lines;
    int clears = 0;
};

// Whether a detail line for the entry name is among the lines.
inline bool Lists(const QStringList& lines, const QString& name) {
    for (const QString& line : lines)
        if (line.startsWith(name + QLatin1Char(' '))) return true;
    return false;
}

inline QString Spaces(int n) { return QString(n, QLatin1Char(' ')); }

// Dates as yyyy-mm-dd and a 24-hour clock, whatever the machine's locale says.
inline RegionalSettings IsoRegional() {
    RegionalSettings r;
    r.dateSeparator = QStringLiteral("-");
    r.shortDatePattern = QStringLiteral("yyyy/mm/dd");
    r.clock24 = true;
    r.hourLeadingZero = true;
    return r;
}

// Packed stamp of a local date and time.
inline int32_t Packed(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
    return static_cast<int32_t>((uint32_t(year - 1980) << 25) | (uint32_t(month) << 21) |
                                (uint32_t(day) << 16) | (uint32_t(hour) << 11) |
                                (uint32_t(minute) << 5) | uint32_t(second / 2));
}

}  // namespace tabulist::test
