#include <gtest/gtest.h>

#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::RunList;

// As ls -R: the whole listing is written, the folder is named on standard error, status 1.
TEST(RecursiveList, UnreadableSubfolderReportedAfterTheListing) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    Fixture fixture;
    fixture.setMode("", 0755);
    fixture.dir("a");
    fixture.file("a/in.txt");
    fixture.dir("b");
    fixture.dir("c");
    fixture.file("c/z.txt");
    fixture.setMode("b", 0);
    const test::ListRun run = RunList({"--recursive", "--no-attributes", "--no-size", "--no-date",
                                       "--mask", "*.txt", "--file-count", fixture.root()},
                                      -1, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "tabulist-list: cannot read " + fixture.path("b") + ": File access denied\n");
    const QStringList lines = run.lines();
    const QString b = test::PathLine(fixture.pathText("b") + "/*.txt");
    const qsizetype at = lines.indexOf(b);
    ASSERT_GT(at, 0) << lines.join('\n').toStdString();
    EXPECT_EQ(lines.mid(at - 1, 4), QStringList({"", b, "", "cannot be read: File access denied"}));
    EXPECT_TRUE(lines.contains(test::PathLine(fixture.pathText("c") + "/*.txt")));
    EXPECT_EQ(lines.last(), "founded directories:\t0");

    fixture.setMode("b", 0755);
    EXPECT_EQ(RunList({"--recursive", fixture.root()}, -1, true).status, 0);

    // Readable but not searchable: every name is listed, its details unknown, each one said.
    fixture.file("b/x.txt");
    fixture.setMode("b", 0644);
    const test::ListRun names =
        RunList({"--recursive", "--no-date", "--mask", "*.txt", fixture.root()}, -1, true);
    EXPECT_EQ(names.status, 1);
    EXPECT_EQ(names.err,
              "tabulist-list: cannot read " + fixture.path("b/x.txt") + ": File access denied\n");
    EXPECT_TRUE(names.lines().contains("x.txt" + QString(26, ' ') + "\t?\t        ?"))
        << names.out.toStdString();
}

}  // namespace
}  // namespace tabulist
