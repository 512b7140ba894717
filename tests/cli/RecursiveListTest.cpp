#include <gtest/gtest.h>

#include "cli/CliArguments.h"
#include "support/Fixture.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::RunList;

QString UsageMessage(const QStringList& args) {
    try {
        ParseCliArguments(args);
    } catch (const UsageError& e) {
        return e.message();
    }
    return QStringLiteral("(accepted)");
}

TEST(RecursiveArguments, DepthImpliesSubfolders) {
    const auto compose = [](const QStringList& args) {
        return ComposeOptions(ParseCliArguments(args), nullptr, QDate(2024, 6, 15));
    };
    const ListingOptions plain = compose({});
    EXPECT_FALSE(plain.subfolders || plain.oneFileSystem || plain.folderTotals);
    EXPECT_LT(plain.depth, 0);
    const ListingOptions recursive = compose({"--recursive", "--one-file-system", "--folder-totals"});
    EXPECT_TRUE(recursive.subfolders && recursive.oneFileSystem && recursive.folderTotals);
    EXPECT_LT(recursive.depth, 0);
    const ListingOptions deep = compose({"--depth=0"});
    EXPECT_TRUE(deep.subfolders);
    EXPECT_EQ(deep.depth, 0);
    EXPECT_EQ(UsageMessage({"--depth", "-1"}), "invalid depth '-1' for --depth (0 or more)");
    EXPECT_EQ(UsageMessage({"--depth", "x"}), "invalid depth 'x' for --depth (0 or more)");
    EXPECT_EQ(UsageMessage({"--depth"}), "option '--depth' needs a value");
}

// As ls -R: the whole listing is written, the folder is named on standard error, status 1.
TEST(RecursiveList, UnreadableSubfolderReportedAfterTheListing) {
    Fixture fixture;
    fixture.setMode("", 0755);
    fixture.dir("a");
    fixture.file("a/in.txt");
    fixture.dir("b");
    fixture.dir("c");
    fixture.file("c/z.txt");
    fixture.setMode("b", 0);
    const test::ListRun run =
        RunList({"--recursive", "--no-attributes", "--no-size", "--no-date", "--mask", "*.txt",
                 "--file-count", fixture.root()},
                -1, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, "tabulist-list: cannot read " + fixture.path("b") + ": File access denied\n");
    const QStringList lines = run.lines();
    const QString b = "path:    \t" + fixture.pathText("b") + "/*.txt";
    const qsizetype at = lines.indexOf(b);
    ASSERT_GT(at, 0) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.mid(at - 1, 4),
              QStringList({"", b, "", "cannot be read: File access denied"}));
    EXPECT_TRUE(lines.contains("path:    \t" + fixture.pathText("c") + "/*.txt"));
    EXPECT_EQ(lines.last(), "founded directories:\t0");

    fixture.setMode("b", 0755);
    EXPECT_EQ(RunList({"--recursive", fixture.root()}, -1, true).status, 0);
}

}  // namespace
}  // namespace tabulist
