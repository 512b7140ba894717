#include <gtest/gtest.h>

#include "forms/Hauptfenster/Clock.h"

namespace tabulist {
namespace {

TEST(Clock, PanelTextWithWeekdayAndMidnightRule) {
    RegionalSettings r;
    r.shortDatePattern = QStringLiteral("dd/mm/yyyy");
    r.dateSeparator = QStringLiteral(".");
    r.clock24 = true;
    r.hourLeadingZero = true;
    const QString sunday = ClockPanelText(QDateTime(QDate(2026, 12, 6), QTime(9, 15, 30)), r);
    EXPECT_EQ(sunday, QStringLiteral("So., 06.12.2026 09:15:30"));
    const QString thursdayMidnight =
        ClockPanelText(QDateTime(QDate(2026, 12, 10), QTime(0, 0, 0, 700)), r);
    EXPECT_EQ(thursdayMidnight, QStringLiteral("Th., 10.12.2026"));
    EXPECT_TRUE(ClockPanelText(QDateTime(QDate(2026, 12, 12), QTime(0, 0, 1)), r)
                    .startsWith(QStringLiteral("Sa., 12.12.2026 ")));
}

}  // namespace
}  // namespace tabulist
