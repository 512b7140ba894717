#include <gtest/gtest.h>
#include <stdlib.h>

#include <cerrno>

#include "support/Fixture.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::RunList;

// tabulist-list with chosen C library calls failing (tests/support/FailCalls.cpp).
test::ListRun RunFailing(const QByteArray& rule, const QByteArrayList& args) {
    setenv("TABULIST_FAIL", rule.constData(), 1);
    setenv("LD_PRELOAD", TABULIST_FAIL_CALLS, 1);
    // Under AddressSanitizer the interposer is loaded before the sanitizer's runtime, which
    // the runtime refuses unless told that this order is meant.
    const char* sanitizer = getenv("ASAN_OPTIONS");
    const QByteArray saved = sanitizer ? QByteArray(sanitizer) : QByteArray();
    setenv("ASAN_OPTIONS", (saved + ":verify_asan_link_order=0").constData(), 1);
    test::ListRun run = RunList(args);
    if (sanitizer)
        setenv("ASAN_OPTIONS", saved.constData(), 1);
    else
        unsetenv("ASAN_OPTIONS");
    unsetenv("LD_PRELOAD");
    unsetenv("TABULIST_FAIL");
    return run;
}

// Whatever was not read is listed as far as it was, said on standard error, and gives
// status 1 after the whole listing; a call interrupted by a signal is tried again.
TEST(ReadErrors, EachFailureIsListedAndReported) {
    Fixture fixture;
    for (const char* name : {"f1.txt", "f2.txt", "f3.txt", "f4.txt"}) fixture.file(name, 2);
    fixture.dir("sub");
    fixture.file("sub/in.txt", 3);
    const QByteArray root = fixture.root();
    const QByteArrayList text = {"--lf", "--no-date", "--file-count", "--recursive", root};
    const QString f3 = "f3.txt                         \t?\t        ?";
    const QString sub = "path:    \t" + fixture.pathText("sub") + "/*.*";
    struct Case {
        QByteArray rule;
        QByteArrayList args;
        int status;
        QByteArray err;             // after "tabulist-list: cannot read "
        QStringList expectedLines;  // in this order, anywhere in the output
        int files;                  // counted in the footer (-1: not looked at)
    } cases[] = {
        // Reading stops after three entries: those are listed, then the failure.
        {"readdir:5:3",
         {"--lf", "--no-date", "--file-count", root},
         1,
         root + ": I/O error 5",
         {"cannot be read: I/O error 5", ""},
         -1},
        {"readdir:5:0", {"--lf", root}, 1, root + ": I/O error 5", {"no files founded", ""}, -1},
        {"readdir:4:2", text, 0, "", {"[sub]                          \t\t        0"}, 5},
        {"fstatat:13:f3.txt", text, 1, fixture.path("f3.txt") + ": File access denied", {f3}, 5},
        {"fstatat:4:f3.txt", text, 0, "", {"f3.txt                         \tA \t        2"}, 5},
        {"open:5:/sub",
         text,
         1,
         fixture.path("sub") + ": I/O error 5",
         {"", sub, "", "cannot be read: I/O error 5"},
         4},
        {"lstat:5:/sub",
         text,
         1,
         fixture.path("sub") + ": I/O error 5",
         {"", sub, "", "cannot be read: I/O error 5"},
         4},
        {"open:4:" + root, text, 0, "", {"in.txt                         \tA \t        3"}, 5},
        {"fstatat:13:f3.txt",
         {"--format", "csv", "--lf", root},
         1,
         fixture.path("f3.txt") + ": File access denied",
         {".,f3.txt,file,,,"},
         -1},
        {"fstatat:13:f3.txt",
         {"--format", "json", root},
         1,
         fixture.path("f3.txt") + ": File access denied",
         {"{\"folder\":\".\",\"name\":\"f3.txt\",\"type\":\"file\",\"attributes\":null,"
          "\"size\":null,\"modified\":null},"},
         -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rule.constData());
        const test::ListRun run = RunFailing(c.rule, c.args);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err, c.status ? "tabulist-list: cannot read " + c.err + "\n" : QByteArray());
        const QStringList lines = QString::fromUtf8(run.out).split('\n');
        const qsizetype at = lines.indexOf(c.expectedLines.first());
        ASSERT_GE(at, 0) << run.out.toStdString();
        EXPECT_EQ(lines.mid(at, c.expectedLines.size()), c.expectedLines) << run.out.toStdString();
        if (c.files >= 0) {
            EXPECT_TRUE(
                lines.contains("founded files:                \t" + QString::number(c.files)))
                << run.out.toStdString();
        }
    }
}

}  // namespace
}  // namespace tabulist
