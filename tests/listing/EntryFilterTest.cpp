#include <gtest/gtest.h>

#include <set>

#include "listing/EntryFilter.h"
#include "platform/Errors.h"
#include "support/LinesSink.h"

namespace tabulist {
namespace {

using test::Packed;

TSearchRec Entry(int32_t attr, int32_t time = Packed(2001, 5, 1, 12)) {
    TSearchRec rec;
    rec.Attr = attr;
    rec.Time = time;
    rec.Name = QStringLiteral("x");
    return rec;
}

TEST(ClassifyAttributes, FlagsAreMembershipOfTheWholeValue) {
    const std::set<int> readOnly = {1, 3, 5, 7, 17, 19, 21, 23, 33, 35, 37, 39, 49, 51, 53, 55};
    const std::set<int> hidden = {2, 3, 6, 7, 18, 19, 22, 23, 34, 35, 38, 39, 50, 51, 54, 55};
    const std::set<int> system = {4, 5, 6, 7, 20, 21, 22, 23, 36, 37, 38, 39, 52, 53, 54, 55};
    const std::set<int> archive = {32, 33, 34, 35, 36, 37, 38, 39, 48, 49, 50, 51, 52, 53, 54, 55};
    for (int value = -1; value < 0x4000; ++value) {
        const AttributeFlags flags = ClassifyAttributes(value);
        SCOPED_TRACE(value);
        EXPECT_EQ(flags.readOnly, readOnly.count(value) == 1);
        EXPECT_EQ(flags.hidden, hidden.count(value) == 1);
        EXPECT_EQ(flags.system, system.count(value) == 1);
        EXPECT_EQ(flags.archive, archive.count(value) == 1);
    }
}

struct ClassCase {
    int32_t attr;
    bool all, archive, readOnly, system;
};

TEST(EntryFilter, AttributeClasses) {
    const ClassCase cases[] = {
        {0x10, true, true, true, true},      // a plain directory passes every class
        {0x11, true, false, true, false},    // read-only directory
        {0x20, true, true, false, false},    // archive only
        {0x820, true, false, false, false},  // archive and compressed: no flags
        {0x24, true, true, false, true},    {0x30, true, true, false, false},
        {0x80, true, false, false, false},
    };
    for (const ClassCase& c : cases) {
        SCOPED_TRACE(c.attr);
        const bool expected[] = {c.all, c.archive, c.readOnly, c.system};
        for (int cls = 0; cls < 4; ++cls) {
            ListingOptions options;
            options.attributeClass = cls;
            EXPECT_EQ(EntryFilter(options).passes(Entry(c.attr)), expected[cls]) << "class " << cls;
        }
    }
    ListingOptions unknownClass;
    unknownClass.attributeClass = 7;  // leaves the first verdict: only the plain directory
    EXPECT_TRUE(EntryFilter(unknownClass).passes(Entry(0x10)));
    EXPECT_FALSE(EntryFilter(unknownClass).passes(Entry(0x20)));
}

TEST(EntryFilter, HiddenEntriesOnlyWhenAsked) {
    ListingOptions options;
    EXPECT_FALSE(EntryFilter(options).passes(Entry(0x22)));
    EXPECT_FALSE(EntryFilter(options).passes(Entry(0x12)));   // hidden directory
    EXPECT_TRUE(EntryFilter(options).passes(Entry(0x2022)));  // beyond the sets: never hidden
    options.showHidden = true;
    EXPECT_TRUE(EntryFilter(options).passes(Entry(0x22)));
    EXPECT_TRUE(EntryFilter(options).passes(Entry(0x12)));
}

ListingOptions DateRange(int y1, int m1, int d1, int y2, int m2, int d2) {
    ListingOptions options;
    options.dateFilter = true;
    options.startYearIndex = y1 - 1980;
    options.startMonthIndex = m1 - 1;
    options.startDayIndex = d1 - 1;
    options.stopYearIndex = y2 - 1980;
    options.stopMonthIndex = m2 - 1;
    options.stopDayIndex = d2 - 1;
    return options;
}

TEST(EntryFilter, DateRangeIncludesTheWholeStopDay) {
    const ListingOptions oneDay = DateRange(2001, 5, 1, 2001, 5, 1);
    EntryFilter filter(oneDay);
    EXPECT_TRUE(filter.passes(Entry(0x20, Packed(2001, 5, 1, 0, 0, 0))));
    EXPECT_TRUE(filter.passes(Entry(0x20, Packed(2001, 5, 1, 0, 0, 2))));
    EXPECT_TRUE(filter.passes(Entry(0x20, Packed(2001, 5, 1, 23, 59, 58))));
    EXPECT_FALSE(filter.passes(Entry(0x20, Packed(2001, 5, 2, 0, 0, 0))));
    EXPECT_FALSE(filter.passes(Entry(0x20, Packed(2001, 4, 30, 23, 59, 58))));

    const ListingOptions twoDays = DateRange(2001, 5, 1, 2001, 5, 2);
    EntryFilter wider(twoDays);
    EXPECT_TRUE(wider.passes(Entry(0x20, Packed(2001, 5, 2, 12, 0, 0))));
    EXPECT_FALSE(wider.passes(Entry(0x20, Packed(2001, 5, 3, 0, 0, 0))));
}

TEST(EntryFilter, DateFilterAppliesToDirectoriesToo) {
    const ListingOptions range = DateRange(2001, 5, 1, 2001, 5, 1);
    EntryFilter filter(range);
    EXPECT_FALSE(filter.passes(Entry(0x10, Packed(2002, 1, 1))));
    EXPECT_TRUE(filter.passes(Entry(0x10, Packed(2001, 5, 1, 8))));
}

TEST(EntryFilter, ImpossibleDateFailsOnlyWhenAnEntryReachesTheDateTest) {
    const ListingOptions range = DateRange(2001, 2, 31, 2001, 5, 1);
    EntryFilter filter(range);
    EXPECT_FALSE(filter.passes(Entry(0x22)));  // hidden: dropped before the date test
    try {
        filter.passes(Entry(0x20));
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("Invalid argument to date encode"));
    }
    ListingOptions off = range;
    off.dateFilter = false;
    EXPECT_TRUE(EntryFilter(off).passes(Entry(0x20)));
}

}  // namespace
}  // namespace tabulist
