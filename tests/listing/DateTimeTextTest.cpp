#include <gtest/gtest.h>

#include "listing/DateTimeText.h"
#include "support/RenderingPrinters.h"

namespace tabulist {
namespace {

const DateTime FirstOfMay = EncodeDate(2001, 5, 1);

RegionalSettings German() {
    RegionalSettings s;
    s.dateSeparator = QStringLiteral(".");
    s.shortDatePattern = QStringLiteral("dd.MM.yyyy");
    s.clock24 = true;
    s.hourLeadingZero = true;
    s.shortMonthNames = QStringList{"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                    "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
    s.longMonthNames =
        QStringList{"Januar", "Februar", "März",      "April",   "Mai",      "Juni",
                    "Juli",   "August",  "September", "Oktober", "November", "Dezember"};
    s.shortDayNames = QStringList{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
    s.longDayNames = QStringList{"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                 "Donnerstag", "Freitag", "Samstag"};
    return s;
}

TEST(DateTimeText, TheTwoClocks) {
    const DateTime t = FirstOfMay + EncodeTime(13, 4, 6);
    EXPECT_EQ(DateTimeText(t, German()), QStringLiteral("01.05.2001 13:04:06"));
    EXPECT_EQ(DateTimeText(t, RegionalSettings{}), QStringLiteral("5/1/01 1:04:06 pm"));
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(0, 30, 0), RegionalSettings{}),
              QStringLiteral("5/1/01 12:30:00 am"));
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(12, 0, 0), RegionalSettings{}),
              QStringLiteral("5/1/01 12:00:00 pm"));
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(9, 5, 0), German()),
              QStringLiteral("01.05.2001 09:05:00"));
}

TEST(DateTimeText, MidnightGivesTheDateAlone) {
    EXPECT_EQ(DateTimeText(FirstOfMay, RegionalSettings{}), QStringLiteral("5/1/01"));
    // Milliseconds alone do not make a time of day.
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(0, 0, 0, 400), German()),
              QStringLiteral("01.05.2001"));
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(0, 0, 1), German()),
              QStringLiteral("01.05.2001 00:00:01"));
}

TEST(DateTimeText, MarkPositionSeparatorsAndDesignators) {
    RegionalSettings s;
    s.markBeforeTime = true;
    s.hourLeadingZero = true;
    s.timeSeparator = QStringLiteral(".");
    s.amDesignator = QStringLiteral("vorm.");
    s.pmDesignator = QStringLiteral("nachm.");
    s.dateSeparator = QStringLiteral("-");
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(13, 4, 6), s),
              QStringLiteral("5-1-01 nachm. 01.04.06"));
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(11, 59, 59), s),
              QStringLiteral("5-1-01 vorm. 11.59.59"));
    s.amDesignator.clear();
    EXPECT_EQ(DateTimeText(FirstOfMay + EncodeTime(1, 2, 3), s), QStringLiteral("5-1-01 01.02.03"));
}

TEST(DateTimeText, NamesQuotesAndLetterCase) {
    RegionalSettings s = German();
    s.shortDatePattern = QStringLiteral("DDDD, d. MMMM YYYY");
    EXPECT_EQ(DateTimeText(FirstOfMay, s), QStringLiteral("Dienstag, 1. Mai 2001"));
    s.shortDatePattern = QStringLiteral("ddd mmm yy");
    EXPECT_EQ(DateTimeText(EncodeDate(2009, 3, 8), s), QStringLiteral("So Mrz 09"));
    s.shortDatePattern = QStringLiteral("yyyy 'dd/mm' \"y\" m/d");
    EXPECT_EQ(DateTimeText(FirstOfMay, s), QStringLiteral("2001 dd/mm y 5.1"));
    // Settings without names still give readable names.
    RegionalSettings bare;
    bare.shortDatePattern = QStringLiteral("dddd d mmmm");
    EXPECT_EQ(DateTimeText(FirstOfMay, bare), QStringLiteral("Tuesday 1 May"));
}

}  // namespace
}  // namespace tabulist
