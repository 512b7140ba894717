#include <gtest/gtest.h>

#include <QDir>
#include <utility>

#include "listing/ReportLines.h"
#include "platform/Errors.h"
#include "support/Fixture.h"
#include "support/LinesSink.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::LinesSink;
using test::Spaces;

int OpenDescriptors() {
    return static_cast<int>(QDir("/proc/self/fd")
                                .entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)
                                .size());
}

class Report : public ::testing::Test {
protected:
    ListingOptions options() const {
        ListingOptions o;
        o.directory = fixture.rootText();
        o.showDate = false;
        o.regional = test::IsoRegional();
        o.driveText = QStringLiteral("c: [disk]");
        o.driveLetter = QLatin1Char('c');
        return o;
    }
    ListingHooks drive(int64_t size, int64_t free) {
        ListingHooks hooks;
        hooks.driveSize = [this, size](uint8_t n) {
            queriedDrive = n;
            ++sizeQueries;
            return size;
        };
        hooks.driveFree = [free](uint8_t) { return free; };
        return hooks;
    }
    QStringList list(const ListingOptions& o, const ListingHooks& hooks = {}) {
        result = BuildListingReport(o, sink, hooks);
        return sink.lines;
    }

    Fixture fixture;
    LinesSink sink;
    ListingResult result;
    int sizeQueries = 0;
    int queriedDrive = -1;
};

TEST_F(Report, BodyThenTheEmptyLine) {
    fixture.file("b.txt", 20);
    fixture.file("A.txt", 10);
    fixture.dir("sub");
    ListingOptions o = options();
    o.showAttributes = false;
    const QStringList lines = list(o);
    EXPECT_EQ(
        lines,
        QStringList({"[.]" + Spaces(28) + "\t        0", "[..]" + Spaces(27) + "\t        0",
                     "A.txt" + Spaces(26) + "\t       10", "b.txt" + Spaces(26) + "\t       20",
                     "[sub]" + Spaces(26) + "\t        0", ""}));
    EXPECT_EQ(sink.clears, 1);
    EXPECT_EQ(result.fileCount, 5);
    EXPECT_EQ(result.dirCount, 3);
    EXPECT_EQ(result.totalSize, 30);
    EXPECT_EQ(result.searchSpec, fixture.rootText() + "/*.*");
    EXPECT_FALSE(result.abandoned);
}

TEST_F(Report, NothingFound) {
    fixture.file("a.txt");
    ListingOptions o = options();
    o.maskText = QStringLiteral("*.none");
    EXPECT_EQ(list(o), QStringList({"no files founded", ""}));
    o.columnIndex = 2;
    EXPECT_EQ(list(o), QStringList({"", "no files founded", ""}));
    o.directory = fixture.rootText() + "/missing";
    o.columnIndex = 0;
    o.maskText = QStringLiteral("all");
    EXPECT_EQ(list(o), QStringList({"no files founded", ""}));
}

// Run as an ordinary user: root reads every directory.
TEST_F(Report, UnreadableDirectoryListsNothing) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    fixture.setMode("", 0755);
    fixture.dir("locked");
    fixture.file("locked/f");
    fixture.setMode("locked", 0);
    ListingOptions o = options();
    o.directory = fixture.pathText("locked");
    EXPECT_TRUE(test::AsUnprivileged([&] {
        return list(o) == QStringList({"no files founded", ""});
    }));
}

TEST_F(Report, MaskAndSearchSpec) {
    fixture.file("ALL");
    fixture.file("x");
    ListingOptions o = options();
    o.maskText = QStringLiteral("All");  // only the word "all" itself means every entry
    o.showAttributes = o.showSize = false;
    EXPECT_EQ(list(o), QStringList({"ALL" + Spaces(28), ""}));
    EXPECT_EQ(result.searchSpec, fixture.rootText() + "/All");

    EXPECT_EQ(SearchSpecFor("/", "all"), "/*.*");
    EXPECT_EQ(SearchSpecFor("/home/u/", "*.txt"), "/home/u/*.txt");
    EXPECT_EQ(SearchSpecFor("/home/u", ""), "/home/u/");

    QString announced;
    ListingHooks hooks;
    hooks.searchSpecReady = [&](const QString& spec) { announced = spec; };
    list(o, hooks);
    EXPECT_EQ(announced, result.searchSpec);
}

TEST_F(Report, HeaderLines) {
    ListingOptions o = options();
    o.maskText = QStringLiteral("*.none");
    o.headerDriveName = true;
    EXPECT_EQ(list(o), QStringList({"drive:  \tc: [disk]", "", "", "no files founded", ""}));

    o.headerDriveName = false;
    o.headerDriveInfo = true;
    o.driveInfoUnit = 2;
    o.showUnit = true;
    o.driveLetter = QLatin1Char('E');
    EXPECT_EQ(list(o, drive(1073741824, 536870912)).mid(0, 3),
              QStringList(
                  {"size:          \t1024,000 MBytes", "free :            \t512,000 MBytes", ""}));
    EXPECT_EQ(queriedDrive, 5);

    o.driveInfoUnit = 0;
    o.showUnit = false;
    o.headerDrivePercent = true;
    o.headerPath = true;
    EXPECT_EQ(
        list(o, drive(1000, 250)),
        QStringList({"size:          \t1000", "free :            \t250", "relative used:\t 75,00",
                     "free space:  \t 25,00", "", test::PathLine(fixture.rootText() + "/*.none"),
                     "", "no files founded", ""}));

    // A failed query: -1 for the shares too, never a figure computed from it.
    o.footerTotalSize = o.footerPercent = true;
    for (const auto& [size, free] : {std::pair<int64_t, int64_t>{-1, -1}, {1000, -1}, {-1, 5}}) {
        const QStringList lines = list(o, drive(size, free));
        EXPECT_EQ(lines.mid(2, 2),
                  QStringList({"relative used:\t -1,00", "free space:  \t -1,00"}));
        EXPECT_EQ(lines.last() == "relative size              :\t -1,00", size == -1);
    }
    o.footerTotalSize = o.footerPercent = false;

    o.showUnit = true;
    o.driveInfoUnit = 9;  // no unit: empty amounts, no suffix
    EXPECT_EQ(list(o, drive(1000, 1000)).mid(0, 4),
              QStringList({"size:          \t", "free :            \t", "relative used:\t  0,00 %",
                           "free space:  \t100,00 %"}));
}

TEST_F(Report, AmountsInUnits) {
    EXPECT_EQ(AmountText(-1, 0, false), "-1");
    EXPECT_EQ(AmountText(1536, 1, true), "  1,500 KBytes");
    EXPECT_EQ(AmountText(int64_t{3} << 30, 3, false), "  3,000");
    EXPECT_EQ(AmountText(int64_t{5} << 40, 3, true), "5120,000 GBytes");
    EXPECT_EQ(AmountText(123, 4, true), "");
}

TEST_F(Report, PercentErrorsStopTheReportAfterTheLinesWritten) {
    fixture.file("a");
    ListingOptions o = options();
    o.headerDriveInfo = o.headerDrivePercent = true;
    const int before = OpenDescriptors();
    try {
        list(o, drive(0, 5));
        FAIL() << "no error";
    } catch (const EMathError& e) {
        EXPECT_EQ(e.message(), "Floating point division by zero");
    }
    EXPECT_EQ(sink.lines, QStringList({"size:          \t0", "free :            \t5"}));
    try {
        list(o, drive(0, 0));
        FAIL() << "no error";
    } catch (const EMathError& e) {
        EXPECT_EQ(e.message(), "Invalid floating point operation");
    }

    // The footer's share, after the body has been written and the scan closed.
    o.headerDriveInfo = o.headerDrivePercent = false;
    o.footerTotalSize = o.footerPercent = true;
    EXPECT_THROW(list(o, drive(0, 0)), EMathError);
    EXPECT_EQ(sink.lines.size(), 5);  // ., .., a, the empty line, the total
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(Report, FooterLines) {
    fixture.dir("empty");
    ListingOptions o = options();
    o.directory = fixture.pathText("empty");
    o.footerFileCount = true;
    EXPECT_EQ(list(o).mid(2),
              QStringList({"", "founded files:                \t0", "founded directories:\t2"}));

    fixture.file("f1", 1000);
    fixture.file("f2", 2000);
    o.directory = fixture.rootText();
    o.maskText = QStringLiteral("f*");
    o.footerFileCount = false;
    o.footerTotalSize = o.footerPercent = true;
    o.totalSizeUnit = 1;
    o.showUnit = true;
    // Without the drive-information header the share still has its divisor.
    EXPECT_EQ(list(o, drive(300000, 1)).mid(2),
              QStringList({"", "total size of the files:\t  2,930 KBytes",
                           "relative size              :\t  1,00 %"}));
    EXPECT_EQ(sizeQueries, 1);

    o.headerDriveInfo = true;
    list(o, drive(300000, 1));
    EXPECT_EQ(sizeQueries, 2);  // asked once, shared by header and footer
}

TEST_F(Report, ColumnsFillLinesAndEndWithTheRemainder) {
    for (int i = 1; i <= 13; ++i) fixture.file(QByteArray("n") + QByteArray::number(i + 10));
    ListingOptions o = options();
    o.maskText = QStringLiteral("n*");
    o.columnIndex = 2;
    const QStringList three = list(o);
    ASSERT_EQ(three.size(), 5 + 1);  // four full lines, the remainder, the empty line
    EXPECT_EQ(three[0], "n11" + Spaces(33) + "\tn12" + Spaces(33) + "\tn13" + Spaces(33));
    EXPECT_EQ(three[4], "n23" + Spaces(33));
    EXPECT_EQ(three[5], "");

    fixture.remove("n23");
    const QStringList even = list(o);
    EXPECT_EQ(
        even.mid(3),
        QStringList({"n20" + Spaces(33) + "\tn21" + Spaces(33) + "\tn22" + Spaces(33), "", ""}));

    o.columnIndex = 5;
    const QStringList six = list(o);
    EXPECT_EQ(six.size(), 2 + 1 + 1);
    EXPECT_EQ(six[0].count('\t'), 5);
    EXPECT_EQ(six[2], "");
    const ListingResult columns = result;

    o.columnIndex = 0;
    list(o);
    EXPECT_EQ(result.fileCount, columns.fileCount);
    EXPECT_EQ(result.totalSize, columns.totalSize);
    EXPECT_EQ(result.dirCount, columns.dirCount);

    // No column chosen at all lists detail lines rather than nothing.
    o.columnIndex = -1;
    EXPECT_EQ(list(o).size(), 12 + 1);
}

TEST_F(Report, AbandonedListingClosesItsScan) {
    for (int i = 0; i < 5; ++i) fixture.file(QByteArray("f") + QByteArray::number(i));
    const int before = OpenDescriptors();
    int pumps = 0;
    int finished = 0;
    int openDuringScan = 0;
    ListingHooks hooks;
    hooks.processMessages = [&] {
        ++pumps;
        if (pumps == 3) openDuringScan = OpenDescriptors();
    };
    hooks.abandoned = [&] { return pumps == 3; };
    hooks.finished = [&] { ++finished; };
    ListingOptions o = options();
    o.footerFileCount = true;
    const QStringList lines = list(o, hooks);
    EXPECT_TRUE(result.abandoned);
    EXPECT_EQ(lines.size(), 2);  // the dot entries; no "no files founded", no footer
    EXPECT_EQ(finished, 1);
    EXPECT_GE(openDuringScan, before);
    EXPECT_EQ(OpenDescriptors(), before);

    o.columnIndex = 1;
    pumps = 0;
    EXPECT_EQ(list(o, hooks).size(), 1);  // one full line of two; no remainder line
    EXPECT_TRUE(result.abandoned);
}

TEST_F(Report, ImpossibleDateKeepsTheHeaderAndClosesTheScan) {
    fixture.file("a");
    ListingOptions o = options();
    o.headerPath = true;
    o.dateFilter = true;
    o.startYearIndex = 21;
    o.startMonthIndex = 1;
    o.startDayIndex = 30;  // 2001-02-31
    int finished = 0;
    ListingHooks hooks;
    hooks.finished = [&] { ++finished; };
    const int before = OpenDescriptors();
    EXPECT_THROW(list(o, hooks), EConvertError);
    EXPECT_EQ(sink.lines.size(), 2);
    EXPECT_EQ(finished, 0);
    EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(Report, ActivityGrowsEveryTenFetchesIncludingTheLast) {
    for (int i = 0; i < 7; ++i) fixture.file(QByteArray("f") + QByteArray::number(i));
    QStringList shown;
    ListingHooks hooks;
    hooks.activity = [&](const QString& glyphs) { shown << glyphs; };
    list(options(), hooks);  // 9 entries and the failing fetch: ten calls
    EXPECT_EQ(shown, QStringList({QString(QChar(0x0178))}));
}

TEST_F(Report, EntriesAsThePlatformReportsThem) {
    SKIP_ON_WINDOWS("a tab in a name: Windows names hold no control characters");
    fixture.file("big", int64_t{3} << 30);
    fixture.file("old");
    fixture.setLocalTime("old", 1970, 1, 2, 3, 4, 5);
    fixture.file(QByteArray("a\tb"));
    ListingOptions o = options();
    o.showDate = true;
    o.showAttributes = false;
    o.maskText = QStringLiteral("big");
    EXPECT_EQ(list(o)[0].section('\t', 0, 1), "big" + Spaces(28) + "\t3221225472");
    EXPECT_EQ(result.totalSize, int64_t{3} << 30);
    o.maskText = QStringLiteral("old");
    EXPECT_EQ(list(o)[0], "old" + Spaces(28) + "\t        0\t1980-01-01");
    o.maskText = QStringLiteral("a*");
    EXPECT_EQ(list(o)[0].left(3), "a?b");
}

}  // namespace
}  // namespace tabulist
