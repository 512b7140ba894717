#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/DirectoryList.h"
#include "platform/Errors.h"
#include "support/Fixture.h"
#include "support/LinesSink.h"
#include "support/RunList.h"
#include "support/Unprivileged.h"

namespace tabulist::test {
namespace {

// These run tabulist-list as a process: what counts is its exit status and messages.
TEST(ChangingTree, SymbolicLinkLoopsAreListedAsPlainEntries) {
    Fixture tree;
    tree.symlink("self", "self");
    tree.symlink("ping", "pong");
    tree.symlink("pong", "ping");
    tree.dir("sub");
    tree.symlink("sub/up", "..");
    const ListRun run = RunList({"--no-date", "--hidden", tree.root()});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    for (const char* name : {"self", "ping", "pong"}) EXPECT_TRUE(Lists(run.lines(), name)) << name;
    const ListRun inside = RunList({tree.path("sub/up/sub/up/sub")});
    EXPECT_EQ(inside.status, 0);
    EXPECT_TRUE(Lists(inside.lines(), "[up]"));
    // A loop given as the directory is refused with a message, not followed.
    const ListRun loop = RunList({tree.path("self")});
    EXPECT_EQ(loop.status, 1);
    EXPECT_TRUE(loop.err.contains("cannot list")) << loop.err.constData();
}

// Unprivileged: root enters every directory.
TEST(ChangingTree, DirectoryWithoutPermissionListsNoFilesAndIsNotEntered) {
    Fixture tree;
    tree.dir("locked");
    tree.file("locked/secret", 1);
    tree.setMode("locked", 0700);
    tree.setMode("", 0755);  // the way in stays open to others
    const ListRun run = RunList({tree.path("locked")}, -1, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "tabulist-list: cannot read " + tree.path("locked") + ": File access denied\n");
    EXPECT_TRUE(run.lines().contains(QStringLiteral("no files founded"))) << run.out.constData();
    EXPECT_FALSE(run.out.contains("secret"));

    const QByteArray locked = tree.path("locked");
    const QByteArray root = tree.root();
    EXPECT_TRUE(AsUnprivileged([&] {
        if (chdir(root.constData()) != 0) return false;
        DirectoryList list([] { return DriveTable(); });
        try {
            list.OpenDirectory(locked);
        } catch (const EInOutError& e) {
            return e.message() == QStringLiteral("File access denied") &&
                   list.CurrentDirectoryRaw() == root;
        }
        return false;
    }));
}

// Deeper than PATH_MAX: reached only step by step from an open directory.
TEST(ChangingTree, PathLongerThanPathMaxIsListedFromTheWorkingDirectory) {
    Fixture tree;
    int fd = open(tree.root().constData(), O_RDONLY | O_DIRECTORY);
    const QByteArray step(200, 'd');
    for (int depth = 0; depth < 25; ++depth) {  // 25 x 201 bytes > 4096
        ASSERT_EQ(mkdirat(fd, step.constData(), 0755), 0);
        const int next = openat(fd, step.constData(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    close(openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0644));
    // From there, as the working directory and relative to it.
    for (const QByteArrayList& args : {QByteArrayList{}, QByteArrayList{"."}}) {
        const ListRun run = RunList(args, fd);
        EXPECT_EQ(run.status, 0) << run.err.constData();
        EXPECT_TRUE(run.out.contains("deep.txt")) << run.out.constData();
    }
    close(fd);
    // The fixture cannot remove what it cannot name; take the chain down from the top.
    ASSERT_EQ(system(("rm -rf " + tree.path(step)).constData()), 0);
}

// 2,000 levels of 20-byte names (paths of about 42,000 bytes), listed whole with no more than
// 64 descriptors, in text and as data.
TEST(ChangingTree, TreeOfAnyDepthIsListedWithFewDescriptors) {
    Fixture tree;
    int fd = open(tree.root().constData(), O_RDONLY | O_DIRECTORY);
    constexpr int Levels = 2000;
    for (int depth = 0; depth < Levels; ++depth) {
        const QByteArray name = QByteArray::number(depth).rightJustified(20, '0');
        close(openat(fd, "file.txt", O_WRONLY | O_CREAT, 0644));
        ASSERT_EQ(mkdirat(fd, name.constData(), 0755), 0);
        const int next = openat(fd, name.constData(), O_RDONLY | O_DIRECTORY);
        close(fd);
        fd = next;
    }
    close(fd);
    rlimit saved{};
    getrlimit(RLIMIT_NOFILE, &saved);
    rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_NOFILE, &small), 0);
    const ListRun text = RunList({"--recursive", "--file-count", tree.root()});
    const ListRun csv = RunList({"--recursive", "--format", "csv", tree.root()});
    setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(text.status, 0) << text.err.constData();
    EXPECT_TRUE(
        text.lines().contains("founded files:                \t" + QString::number(Levels)));
    EXPECT_EQ(csv.status, 0) << csv.err.constData();
    EXPECT_EQ(csv.out.count(",file.txt,file,"), Levels);
    ASSERT_EQ(system(("rm -rf " + tree.path("00000000000000000000")).constData()), 0);
}

}  // namespace
}  // namespace tabulist::test
