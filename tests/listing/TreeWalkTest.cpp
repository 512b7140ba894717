#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/mount.h>
#endif
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <future>

#include "listing/FolderReadAhead.h"
#include "listing/ReportLines.h"
#include "platform/WorkerPool.h"
#include "support/Fixture.h"
#include "support/LinesSink.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::LinesSink;
using test::Spaces;

QString Cell(const QString& name) { return name + Spaces(31 - int(name.size())); }
QString Dir(const QString& name) { return Cell("[" + name + "]"); }

class Tree : public ::testing::Test {
protected:
    // root: a.txt b/ (c/ (y.txt) x.txt) d/ (empty) e/ (f/ (z.txt))
    void SetUp() override {
        fixture.file("a.txt", 1);
        fixture.dir("b");
        fixture.file("b/x.txt", 10);
        fixture.dir("b/c");
        fixture.file("b/c/y.txt", 100);
        fixture.dir("d");
        fixture.dir("e");
        fixture.dir("e/f");
        fixture.file("e/f/z.txt", 1000);
    }
    ListingOptions options() const {
        ListingOptions o;
        o.directory = fixture.rootText();
        o.rawDirectory = fixture.root();
        o.showAttributes = o.showSize = o.showDate = false;
        o.regional = test::IsoRegional();
        o.subfolders = true;
        return o;
    }
    QString head(const QByteArray& folder, const QString& mask = "*.*") const {
        return test::PathLine((folder.isEmpty() ? fixture.rootText() : fixture.pathText(folder)) +
                              "/" + mask);
    }
    QStringList section(const QByteArray& folder, const QStringList& body,
                        const QString& mask = "*.*") const {
        return QStringList({"", head(folder, mask), ""}) + body;
    }
    QStringList list(const ListingOptions& o, const ListingHooks& hooks = {}) {
        result = BuildListingReport(o, sink, hooks);
        return sink.lines;
    }

    Fixture fixture;
    LinesSink sink;
    ListingResult result;
};

TEST_F(Tree, SectionsDepthFirstEmptyOnesLeftOutFooterOverTheWholeTree) {
    const QStringList start = {Dir("."), Dir(".."), Cell("a.txt"), Dir("b"), Dir("d"), Dir("e")};
    const QStringList expected = start + section("b", {Dir("c"), Cell("x.txt")}) +
                                 section("b/c", {Cell("y.txt")}) + section("e", {Dir("f")}) +
                                 section("e/f", {Cell("z.txt")}) + QStringList{""};
    EXPECT_EQ(list(options()), expected);
    EXPECT_EQ(result.fileCount, 11);
    EXPECT_EQ(result.dirCount, 7);
    EXPECT_EQ(result.totalSize, 1111);

    // Depth 0 is the one folder, as without subfolders.
    ListingOptions o = options();
    o.depth = 0;
    EXPECT_EQ(list(o), start + QStringList{""});
    o.depth = 1;
    EXPECT_EQ(list(o), start + section("b", {Dir("c"), Cell("x.txt")}) + section("e", {Dir("f")}) +
                           QStringList{""});
    o.depth = 2;
    EXPECT_EQ(list(o), expected);
}

// The mask chooses what is listed, not where to look; folders listing nothing are left out,
// the starting one included.
TEST_F(Tree, MaskDoesNotStopTheSearch) {
    fixture.remove("a.txt");
    ListingOptions o = options();
    o.maskText = "*.txt";
    o.headerPath = true;
    EXPECT_EQ(list(o), QStringList({head("", "*.txt"), ""}) +
                           section("b", {Cell("x.txt")}, "*.txt") +
                           section("b/c", {Cell("y.txt")}, "*.txt") +
                           section("e/f", {Cell("z.txt")}, "*.txt") + QStringList{""});
    EXPECT_EQ(result.fileCount, 3);

    // Nothing anywhere: the body an empty folder has today.
    o.maskText = "*.none";
    EXPECT_EQ(list(o), QStringList({head("", "*.none"), "", "no files founded", ""}));
    o.columnIndex = 2;
    EXPECT_EQ(list(o), QStringList({head("", "*.none"), "", "", "no files founded", ""}));
}

TEST_F(Tree, HiddenFoldersAndLinksAreNotEntered) {
    SKIP_ON_WINDOWS("hidden dot-names and symbolic links as Linux has them");
    fixture.dir(".h");
    fixture.file(".h/in.txt");
    fixture.symlink("b/c/up", "../..");  // a loop through a link
    fixture.symlink("e/f/self", ".");
    ListingOptions o = options();
    o.depth = -1;
    o.maskText = "*.txt";
    QStringList lines = list(o);
    EXPECT_FALSE(lines.contains(head(".h", "*.txt")));
    EXPECT_EQ(result.fileCount, 4);
    o.showHidden = true;
    lines = list(o);
    EXPECT_TRUE(lines.contains(head(".h", "*.txt")));
    EXPECT_EQ(result.fileCount, 5);
    // The links are listed as entries of their folders.
    o.maskText = "all";
    lines = list(o);
    EXPECT_TRUE(lines.contains(Dir("up")));
    EXPECT_TRUE(lines.contains(Dir("self")));
    EXPECT_EQ(lines.filter("path:").size(), 5);
}

TEST_F(Tree, FolderTotalsCountEachFolderAlone) {
    ListingOptions o = options();
    o.maskText = "*.txt";
    o.folderTotals = true;
    o.footerTotalSize = true;
    const QStringList lines = list(o);
    const auto total = [](int64_t size) {
        return "total size of the files:\t" + AmountText(size, 0, false);
    };
    EXPECT_EQ(lines, QStringList({Cell("a.txt"), "", total(1)}) +
                         section("b", {Cell("x.txt"), "", total(10)}, "*.txt") +
                         section("b/c", {Cell("y.txt"), "", total(100)}, "*.txt") +
                         section("e/f", {Cell("z.txt"), "", total(1000)}, "*.txt") +
                         QStringList({"", total(1111)}));
}

TEST_F(Tree, ColumnsStartAgainInEachSection) {
    fixture.file("b/w.txt");
    ListingOptions o = options();
    o.columnIndex = 1;  // two columns
    o.depth = 1;
    o.maskText = "*.txt";
    const QString w = "w.txt" + Spaces(31), x = "x.txt" + Spaces(31);
    EXPECT_EQ(list(o), QStringList({"a.txt" + Spaces(31)}) +
                           section("b", {w + "\t" + x, ""}, "*.txt") + QStringList{""});
}

// Run as an ordinary user: root reads every directory. A folder that cannot be opened has
// a section saying so (the starting one lists nothing); in one that can be read but not
// searched every name is listed, with "?" for what is unknown; each is reported.
TEST_F(Tree, WhatCannotBeReadIsReportedAndTheWalkGoesOn) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    fixture.setMode("", 0755);
    ListingOptions o = options();
    o.maskText = "*.txt";
    o.showSize = true;
    // The forked child has none of the worker threads, and may hold a lock one held.
    o.fetch.minEntries = SIZE_MAX;
    const QString unknownX = Cell("x.txt") + "\t        ?";
    const QString denied = ": File access denied";
    struct Case {
        QByteArray folder;
        mode_t mode;
        QStringList lines;
        QStringList reported;
    } cases[] = {
        {"b",
         0,
         QStringList({Cell("a.txt") + "\t        1"}) +
             section("b", {"cannot be read: File access denied"}, "*.txt") +
             section("e/f", {Cell("z.txt") + "\t     1000"}, "*.txt") + QStringList{""},
         {fixture.pathText("b") + denied}},
        {"b",
         0644,
         QStringList({Cell("a.txt") + "\t        1"}) + section("b", {unknownX}, "*.txt") +
             section("e/f", {Cell("z.txt") + "\t     1000"}, "*.txt") + QStringList{""},
         {fixture.pathText("b/x.txt") + denied}},
        {"", 0, {"no files founded", ""}, {fixture.rootText() + denied}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.folder.toStdString() + " " + std::to_string(c.mode));
        fixture.setMode(c.folder, c.mode);
        EXPECT_TRUE(test::AsUnprivileged([&] {
            QStringList reported;
            ListingHooks hooks;
            hooks.unreadableFolder = [&](const QString& folder, const QString& message) {
                reported << folder + ": " + message;
            };
            return list(o, hooks) == c.lines && reported == c.reported;
        }));
        fixture.setMode(c.folder, 0755);
    }
}

TEST_F(Tree, FolderRemovedDuringTheWalkIsLeftOut) {
    ListingHooks hooks;
    hooks.searchSpecReady = [&](const QString& spec) {
        if (spec == fixture.pathText("b") + "/*.txt") {
            fixture.remove("e/f/z.txt");
            fixture.remove("e/f");
            fixture.remove("e");
        }
    };
    ListingOptions o = options();
    o.maskText = "*.txt";
    EXPECT_EQ(list(o, hooks), QStringList({Cell("a.txt")}) +
                                  section("b", {Cell("x.txt")}, "*.txt") +
                                  section("b/c", {Cell("y.txt")}, "*.txt") + QStringList{""});
}

// Folders read ahead by the pool (nearer ones taking the place of farther ones asked for
// earlier) list as folders read one after the other on the calling thread; a pool busy
// elsewhere leaves the walk to read them itself, and an abandoned walk leaves nothing behind.
TEST_F(Tree, SameListingWithOneWorkerThreadOrSeveral) {
    for (int i = 0; i < 40; ++i) fixture.file("b/c/n" + QByteArray::number(i), i);
    for (int i = 0; i < 12; ++i) {
        const QByteArray wide = "e/w" + QByteArray::number(i);
        fixture.dir(wide);
        fixture.dir(wide + "/deep");
        fixture.file(wide + "/deep/f", i);
    }
    ListingOptions o = options();
    o.showSize = true;
    o.fetch = {nullptr, SIZE_MAX};
    const QStringList plain = list(o);
    ASSERT_EQ(plain.filter("path:").size(), 28);  // every folder but the start and the empty d
    for (unsigned threads : {1u, 4u}) {
        WorkerPool pool(threads);
        o.fetch = {&pool, 1};
        EXPECT_EQ(list(o), plain) << threads;
    }

    WorkerPool busy(1);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    busy.post([released] { released.wait(); });  // holds the pool's only thread
    o.fetch = {&busy, 1};
    EXPECT_EQ(list(o), plain);
    release.set_value();

    auto pool = std::make_unique<WorkerPool>(2);
    o.fetch = {pool.get(), 1};
    ListingHooks hooks;
    int entries = 0;
    hooks.abandoned = [&entries] { return ++entries > 12; };
    list(o, hooks);
    EXPECT_TRUE(result.abandoned);
    pool.reset();  // joins the threads: folders still in work end, those not started never do
}

// The folders read ahead must never be why the walk runs out of descriptors: with barely
// enough for reading one folder after the other, the listing is that of the calling thread.
TEST_F(Tree, FoldersReadAheadNeverCostTheWalkADescriptor) {
    SKIP_ON_WINDOWS("descriptor limits are Linux's");
    // Folders too large to be read ahead whole keep their descriptors until they are listed.
    for (const QByteArray big : {"big1", "big2", "big3"}) {
        fixture.dir(big);
        for (size_t i = 0; i <= FolderReadAhead::FetchUpTo; ++i)
            fixture.file(big + "/f" + QByteArray::number(qulonglong(i)) + ".txt");
    }
    WorkerPool pool(4);
    for (const char* mask : {"*.*", "*.txt"}) {  // "*.txt" finds subfolders in a second scan
        ListingOptions o = options();
        o.maskText = mask;
        o.fetch = {nullptr, SIZE_MAX};
        const QStringList plain = list(o);
        ASSERT_GE(plain.filter("path:").size(), 5) << mask;
        o.fetch = {&pool, 1};
        const test::DescriptorLimit tight(5);
        EXPECT_EQ(list(o).join('\n').toStdString(), plain.join('\n').toStdString())
            << mask;  // a failure shows the lines
    }
}

// A bind mount of an ancestor below it would make the walk endless; it is listed, not entered.
TEST_F(Tree, BindMountOfAnAncestorIsNotEntered) {
#ifdef _WIN32
    GTEST_SKIP() << "bind mounts are Linux's";
#else
    fixture.dir("b/c/again");
    if (geteuid() != 0) GTEST_SKIP() << "bind mounts need root";
    if (mount(fixture.root().constData(), fixture.path("b/c/again").constData(), nullptr, MS_BIND,
              nullptr) != 0)
        GTEST_SKIP() << "mount --bind refused here: " << std::strerror(errno);
    const QStringList lines = list(options());
    umount2(fixture.path("b/c/again").constData(), MNT_DETACH);
    EXPECT_TRUE(lines.contains(Dir("again")));
    EXPECT_EQ(lines.filter("path:").size(), 4);
#endif
}

// With one file system asked for, a folder on another file system is listed, not entered.
TEST_F(Tree, OneFileSystemStopsAtOtherMounts) {
#ifdef _WIN32
    GTEST_SKIP() << "mounts below a folder are Linux's";
#else
    fixture.dir("b/other");
    if (geteuid() != 0) GTEST_SKIP() << "mounting needs root";
    if (mount("tabulist-test", fixture.path("b/other").constData(), "tmpfs", 0, nullptr) != 0)
        GTEST_SKIP() << "tmpfs mount refused here: " << std::strerror(errno);
    fixture.file("b/other/inside.txt");
    ListingOptions o = options();
    o.maskText = "*.txt";
    const QStringList entered = list(o);
    o.oneFileSystem = true;
    const QStringList stayed = list(o);
    umount2(fixture.path("b/other").constData(), MNT_DETACH);
    EXPECT_TRUE(entered.contains(head("b/other", "*.txt")));
    EXPECT_FALSE(stayed.contains(head("b/other", "*.txt")));
    EXPECT_TRUE(stayed.contains(head("e/f", "*.txt")));
#endif
}

}  // namespace
}  // namespace tabulist
