#include <gtest/gtest.h>

#include "cli/CliArguments.h"

namespace tabulist {
namespace {

ListingOptions Compose(const QStringList& args, const TSavedOptions* record = nullptr) {
    return ComposeOptions(ParseCliArguments(args), record, QDate(2024, 6, 15));
}

QString UsageMessage(const QStringList& args) {
    try {
        ParseCliArguments(args);
    } catch (const UsageError& e) {
        return e.message();
    }
    return QStringLiteral("(accepted)");
}

TEST(CliArguments, FlagsSetTheirOptions) {
    const ListingOptions o = Compose({"--mask",
                                      "*.txt",
                                      "--columns",
                                      "4",
                                      "--unit",
                                      "mbytes",
                                      "--no-attributes",
                                      "--no-size",
                                      "--no-date",
                                      "--unit-suffix",
                                      "--hidden",
                                      "--class",
                                      "read-only",
                                      "--drive-name",
                                      "--drive-info",
                                      "--drive-percent",
                                      "--path",
                                      "--file-count",
                                      "--total-size",
                                      "--total-percent",
                                      "--drive-unit=gbytes",
                                      "--total-unit",
                                      "kbytes",
                                      "somewhere"});
    EXPECT_EQ(o.maskText, "*.txt");
    EXPECT_EQ(o.columnIndex, 3);
    EXPECT_EQ(o.sizeUnitIndex, 2);
    EXPECT_FALSE(o.showAttributes || o.showSize || o.showDate);
    EXPECT_TRUE(o.showUnit && o.showHidden);
    EXPECT_EQ(o.attributeClass, 2);
    EXPECT_TRUE(o.headerDriveName && o.headerDriveInfo && o.headerDrivePercent && o.headerPath);
    EXPECT_TRUE(o.footerFileCount && o.footerTotalSize && o.footerPercent);
    EXPECT_EQ(o.driveInfoUnit, 3);
    EXPECT_EQ(o.totalSizeUnit, 1);
    EXPECT_FALSE(o.dateFilter);

    const CliArguments parsed = ParseCliArguments({"--lf", "--", "--odd-name"});
    EXPECT_TRUE(parsed.lf);
    EXPECT_EQ(parsed.directory, "--odd-name");
    EXPECT_EQ(ParseCliArguments({"--version", "--help"}).action, CliArguments::Action::Help);
    EXPECT_EQ(ParseCliArguments({"--version"}).action, CliArguments::Action::Version);
}

TEST(CliArguments, DateLimitsDefaultToToday) {
    ListingOptions o = Compose({"--from", "2001-05-01"});
    EXPECT_TRUE(o.dateFilter);
    EXPECT_EQ(o.startYearIndex, 21);
    EXPECT_EQ(o.startMonthIndex, 4);
    EXPECT_EQ(o.startDayIndex, 0);
    EXPECT_EQ(o.stopYearIndex, 2024 - 1980);
    EXPECT_EQ(o.stopMonthIndex, 5);
    EXPECT_EQ(o.stopDayIndex, 14);

    o = Compose({"--to", "2099-12-31"});
    EXPECT_EQ(o.startYearIndex, 2024 - 1980);
    EXPECT_EQ(o.stopYearIndex, 119);
    EXPECT_EQ(o.stopDayIndex, 30);

    // The calendar is checked by the listing, as in the window.
    o = Compose({"--from", "2001-02-31"});
    EXPECT_EQ(o.startMonthIndex, 1);
    EXPECT_EQ(o.startDayIndex, 30);
}

TEST(CliArguments, UsageErrorsNameTheProblem) {
    EXPECT_EQ(UsageMessage({"--colour"}), "unknown option '--colour'");
    EXPECT_EQ(UsageMessage({"-x"}), "unknown option '-x'");
    EXPECT_EQ(UsageMessage({"--mask"}), "option '--mask' needs a value");
    EXPECT_EQ(UsageMessage({"--hidden=yes"}), "option '--hidden' takes no value");
    EXPECT_TRUE(UsageMessage({"--columns", "7"}).contains("'7' for --columns"));
    EXPECT_TRUE(UsageMessage({"--columns", "two"}).contains("'two' for --columns"));
    EXPECT_TRUE(UsageMessage({"--unit", "Bytes"}).contains("'Bytes' for --unit"));
    EXPECT_TRUE(UsageMessage({"--total-unit", "tb"}).contains("--total-unit"));
    EXPECT_TRUE(UsageMessage({"--class", "hidden"}).contains("'hidden' for --class"));
    for (const char* date : {"1979-12-31", "2100-01-01", "2001-13-01", "2001-00-10", "2001-01-32",
                             "2001/01/01", "01-01-2001", "2001-1-1x", ""}) {
        EXPECT_TRUE(UsageMessage({"--to", date}).contains("for --to")) << date;
    }
    EXPECT_TRUE(UsageMessage({"a", "b"}).contains("more than one directory"));
    EXPECT_TRUE(UsageMessage({"--settings", ""}).contains("--settings"));
}

TEST(CliArguments, SettingsRecordThenFlags) {
    TSavedOptions record{};
    record.HeaderDriveName = 1;
    record.HeaderPath = 2;  // any non-zero byte is on
    record.FooterTotalSize = 1;
    record.ShowAttributes = 0;
    record.ShowSize = 1;
    record.ShowDate = 1;
    record.ShowUnit = 1;
    record.DriveInfoUnit = 2;
    record.TotalSizeUnit = 3;
    record.ColumnIndex = 2;
    record.SizeUnitIndex = 1;

    ListingOptions o = Compose({}, &record);
    EXPECT_TRUE(o.headerDriveName && o.headerPath && o.footerTotalSize && o.showUnit);
    EXPECT_FALSE(o.headerDriveInfo || o.footerFileCount || o.showAttributes || o.showHidden);
    EXPECT_EQ(o.driveInfoUnit, 2);
    EXPECT_EQ(o.totalSizeUnit, 3);
    EXPECT_EQ(o.columnIndex, 2);
    EXPECT_EQ(o.sizeUnitIndex, 1);

    o = Compose({"--columns", "1", "--no-size", "--hidden", "--unit", "bytes"}, &record);
    EXPECT_EQ(o.columnIndex, 0);
    EXPECT_FALSE(o.showSize);
    EXPECT_TRUE(o.showHidden);
    EXPECT_EQ(o.sizeUnitIndex, 0);

    // Indexes that name no entry leave the list without a selection.
    record.ColumnIndex = 255;
    record.SizeUnitIndex = 7;
    o = Compose({}, &record);
    EXPECT_EQ(o.columnIndex, -1);
    EXPECT_EQ(o.sizeUnitIndex, -1);
}

TEST(RecursiveArguments, DepthImpliesSubfolders) {
    const ListingOptions plain = Compose({});
    EXPECT_FALSE(plain.subfolders || plain.oneFileSystem || plain.folderTotals);
    EXPECT_LT(plain.depth, 0);
    const ListingOptions recursive =
        Compose({"--recursive", "--one-file-system", "--folder-totals"});
    EXPECT_TRUE(recursive.subfolders && recursive.oneFileSystem && recursive.folderTotals);
    EXPECT_LT(recursive.depth, 0);
    const ListingOptions deep = Compose({"--depth=0"});
    EXPECT_TRUE(deep.subfolders);
    EXPECT_EQ(deep.depth, 0);
    EXPECT_EQ(UsageMessage({"--depth", "-1"}), "invalid depth '-1' for --depth (0 or more)");
    EXPECT_EQ(UsageMessage({"--depth", "x"}), "invalid depth 'x' for --depth (0 or more)");
    EXPECT_EQ(UsageMessage({"--depth"}), "option '--depth' needs a value");
}

}  // namespace
}  // namespace tabulist
