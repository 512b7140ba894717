#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>

#include "platform/Entries.h"
#include "support/Fixture.h"

namespace tabulist {
namespace {

using test::Fixture;

// A name with a final dot; Windows drops that dot from the names it is given.
#ifdef _WIN32
const QString DotEnd = QStringLiteral("z");
#else
const QString DotEnd = QStringLiteral("z.");
#endif

QStringList Listed(const Fixture& fx, SortKey key, bool descending) {
    QStringList names;
    TSearchRec rec;
    int code = OpenEntryScan(fx.root(), QStringLiteral("*"), 63, rec, EntryOrder{key, descending});
    while (code == 0) {
        names << rec.Name;
        code = NextScanEntry(rec);
    }
    EXPECT_EQ(code, ScanNoMoreFiles);
    return names;
}

// Ties in every key, upper and lower case, names without an extension and a directory.
class Order : public ::testing::Test {
protected:
    void SetUp() override {
        const QDateTime day(QDate(2020, 5, 1), QTime(12, 0), Qt::UTC);
        fx.file("b.txt", 10);
        fx.file("a.log", 10);
        fx.file("C.TXT", 5);
        fx.file("noext", 20);
        fx.file(DotEnd.toUtf8(), 7);
        fx.dir("d");
        fx.setTime("b.txt", day);
        fx.setTime("a.log", day.addSecs(60));
        fx.setTime("C.TXT", day.addSecs(60));
        fx.setTime("noext", day.addSecs(-3600));
        fx.setTime(DotEnd.toUtf8(), day);
        fx.setTime("d", day.addYears(-30));  // before 1980, where the packed time stops
    }
    Fixture fx;
};

TEST_F(Order, EachKeyBreaksTiesByNameAndKeepsTheDotsFirst) {
    EXPECT_EQ(Listed(fx, SortKey::Name, false),
              QStringList({".", "..", "a.log", "b.txt", "C.TXT", "d", "noext", DotEnd}));
    // Without an extension first, then the empty one after a final dot, then by extension.
    EXPECT_EQ(Listed(fx, SortKey::Extension, false),
              QStringList({".", "..", "d", "noext", DotEnd, "a.log", "b.txt", "C.TXT"}));
    EXPECT_EQ(Listed(fx, SortKey::Size, false),
              QStringList({".", "..", "d", "C.TXT", DotEnd, "a.log", "b.txt", "noext"}));
    EXPECT_EQ(Listed(fx, SortKey::Date, false),
              QStringList({".", "..", "d", "noext", "b.txt", DotEnd, "a.log", "C.TXT"}));
}

TEST_F(Order, DescendingReversesTheWholeOrderBehindTheDots) {
    EXPECT_EQ(Listed(fx, SortKey::Name, true),
              QStringList({".", "..", DotEnd, "noext", "d", "C.TXT", "b.txt", "a.log"}));
    EXPECT_EQ(Listed(fx, SortKey::Extension, true),
              QStringList({".", "..", "C.TXT", "b.txt", "a.log", DotEnd, "noext", "d"}));
    EXPECT_EQ(Listed(fx, SortKey::Size, true),
              QStringList({".", "..", "noext", "b.txt", "a.log", DotEnd, "C.TXT", "d"}));
    EXPECT_EQ(Listed(fx, SortKey::Date, true),
              QStringList({".", "..", "C.TXT", "a.log", DotEnd, "b.txt", "noext", "d"}));
}

// Fetched up front for the order, the facts must still be those of each entry.
TEST_F(Order, SizeOrderReportsEachEntrysOwnFacts) {
    TSearchRec rec;
    ASSERT_EQ(
        OpenEntryScan(fx.root(), QStringLiteral("*"), 0x31, rec, EntryOrder{SortKey::Size, false}),
        0);
    QStringList seen;
    do {
        seen << QStringLiteral("%1 %2 %3").arg(rec.Name).arg(rec.Size).arg(rec.Attr);
    } while (NextScanEntry(rec) == 0);
    EXPECT_EQ(seen, QStringList({". 0 16", ".. 0 16", "d 0 16", "C.TXT 5 32", DotEnd + " 7 32",
                                 "a.log 10 32", "b.txt 10 32", "noext 20 32"}));
}

}  // namespace
}  // namespace tabulist
