#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cstdio>

#include "cli/CliRun.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/RunList.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::Fixture;

QString Spaces(int n) { return QString(n, QLatin1Char(' ')); }

using test::ListRun;
using test::ReadAll;
using Outcome = ListRun;

Outcome RunInProcess(const QStringList& args) {
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    Outcome o{RunCli(args, out, err), ReadAll(out), ReadAll(err)};
    std::fclose(out);
    std::fclose(err);
    return o;
}

// As an ordinary user even when the tests run as root, who reads every directory.
Outcome RunUnprivileged(const QStringList& args) {
#ifdef _WIN32
    return RunInProcess(args);  // no root to step down from
#else
    if (geteuid() != 0) return RunInProcess(args);
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    const int status = test::ExitStatusAsUnprivileged([&] {
        const int status = RunCli(args, out, err);
        std::fflush(out);
        std::fflush(err);
        return status;
    });
    Outcome o{status, ReadAll(out), ReadAll(err)};
    std::fclose(out);
    std::fclose(err);
    return o;
#endif
}

class Cli : public ::testing::Test {
protected:
    void SetUp() override {
        fixture.file("b.txt", 20);
        fixture.file("a.txt", 1536);
        fixture.dir("sub");
    }
    Fixture fixture;
};

TEST_F(Cli, ListsWithCrLfOrLf) {
    const Outcome crlf = RunInProcess({"--no-date", "--mask", "*.txt", fixture.rootText()});
    EXPECT_EQ(crlf.status, 0);
    EXPECT_EQ(crlf.err, "");
    const QString a = "a.txt" + Spaces(26) + "\tA \t     1536";
    const QString b = "b.txt" + Spaces(26) + "\tA \t       20";
    EXPECT_EQ(crlf.out, (a + "\r\n" + b + "\r\n\r\n").toUtf8());

    const Outcome lf = RunInProcess({"--lf", "--columns=2", "--mask", "*.txt", fixture.rootText()});
    EXPECT_EQ(lf.out, ("a.txt" + Spaces(31) + "\tb.txt" + Spaces(31) + "\n\n\n").toUtf8());
}

TEST_F(Cli, HeaderAndFooterFromFlags) {
    const Outcome o =
        RunInProcess({"--lf", "--no-date", "--no-attributes", "--unit", "kbytes", "--unit-suffix",
                      "--path", "--file-count", "--total-size", fixture.rootText()});
    ASSERT_EQ(o.status, 0);
    const QStringList lines = QString::fromUtf8(o.out).split('\n');
    EXPECT_EQ(lines[0], test::PathLine(fixture.rootText() + "/*.*"));
    EXPECT_TRUE(lines.contains("a.txt" + Spaces(26) + "\t    1,500 KBytes"));
    EXPECT_TRUE(lines.contains("founded files:                \t2"));
    EXPECT_TRUE(lines.contains("founded directories:\t3"));
    EXPECT_TRUE(lines.contains("total size of the files:\t1556 Bytes"));
}

TEST_F(Cli, DirectoryThatCannotBeListed) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    Outcome o = RunInProcess({fixture.pathText("missing")});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "");
    EXPECT_TRUE(o.err.startsWith("tabulist-list: "));
    EXPECT_TRUE(o.err.contains(fixture.path("missing")));

    o = RunInProcess({fixture.pathText("a.txt")});
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.contains("not a directory"));

    fixture.file("sub/hidden-by-mode");
    fixture.setMode("sub", 0);
    ASSERT_EQ(chmod(fixture.root().constData(), 0755), 0);
    // Listed as an empty folder is, but said and with status 1.
    o = RunUnprivileged({"--lf", fixture.pathText("sub")});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, "no files founded\n\n");
    EXPECT_EQ(o.err,
              "tabulist-list: cannot read " + fixture.path("sub") + ": File access denied\n");
}

TEST_F(Cli, UsageErrorsAreStatusTwo) {
    const Outcome o = RunInProcess({"--columns", "9", fixture.rootText()});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_TRUE(o.err.startsWith("tabulist-list: "));
    EXPECT_TRUE(o.err.contains("--columns"));
    EXPECT_TRUE(o.err.contains("--help"));

    const Outcome help = RunInProcess({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.startsWith("Usage: tabulist-list [OPTION]... [DIRECTORY]\n"));
    const Outcome version = RunInProcess({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("tabulist-list ") && version.out.endsWith("\n"));
}

TEST_F(Cli, ErrorsAfterLinesKeepThoseLines) {
    const Outcome o = RunInProcess({"--lf", "--path", "--from", "2001-02-31", fixture.rootText()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.out, (test::PathLine(fixture.rootText() + "/*.*") + "\n\n").toUtf8());
    EXPECT_EQ(o.err, "tabulist-list: Invalid argument to date encode\n");
}

TEST_F(Cli, FailedWriteIsReported) {
    SKIP_ON_WINDOWS("/dev/full is Linux's");
    FILE* full = std::fopen("/dev/full", "w");
    ASSERT_NE(full, nullptr);
    FILE* err = std::tmpfile();
    EXPECT_EQ(RunCli({fixture.rootText()}, full, err), 1);
    EXPECT_EQ(ReadAll(err), "tabulist-list: Disk full\n");
    std::fclose(full);
    std::fclose(err);
}

TEST_F(Cli, SettingsFile) {
    Outcome o = RunInProcess({"--settings", fixture.pathText("none.sav"), fixture.rootText()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "tabulist-list: File not found\n");

    fixture.file("short.sav", 10);
    o = RunInProcess({"--settings", fixture.pathText("short.sav"), fixture.rootText()});
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "tabulist-list: Read beyond end of file\n");

    TSavedOptions record{};
    record.HeaderPath = 1;
    record.FooterFileCount = 1;
    record.ColumnIndex = 1;
    StoreOptionsRecord(fixture.pathText("good.sav"), record);
    o = RunInProcess({"--lf", "--settings", fixture.pathText("good.sav"), "--mask", "*.txt",
                      fixture.rootText()});
    EXPECT_EQ(o.status, 0);
    EXPECT_EQ(o.out, (test::PathLine(fixture.rootText() + "/*.txt") + "\n\n" + "a.txt" +
                      Spaces(31) + "\tb.txt" + Spaces(31) + "\n\n\n" +
                      "founded files:                \t2\n" + "founded directories:\t0\n")
                         .toUtf8());
}

// The built program, with its real standard streams.
Outcome RunProgram(const QStringList& args) {
    QByteArrayList bytes;
    for (const QString& arg : args) bytes << arg.toUtf8();
    return test::RunList(bytes);
}

TEST_F(Cli, ProgramEndToEnd) {
    const QStringList args = {"--file-count", "--hidden", "--drive-name", fixture.rootText()};
    const Outcome program = RunProgram(args);
    EXPECT_EQ(program.status, 0);
    EXPECT_EQ(program.err, "");
    EXPECT_TRUE(program.out.startsWith("drive:  \t"));
    EXPECT_TRUE(program.out.contains("\r\n[sub]"));
    EXPECT_TRUE(
        program.out.endsWith("\r\nfounded files:                \t2\r\n"
                             "founded directories:\t3\r\n"));

    EXPECT_EQ(RunProgram({"--unit", "tb"}).status, 2);
    EXPECT_EQ(RunProgram({fixture.pathText("missing")}).status, 1);
}

}  // namespace
}  // namespace tabulist
