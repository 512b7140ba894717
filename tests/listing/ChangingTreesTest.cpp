#include <gtest/gtest.h>

#include "listing/ListingEngine.h"
#include "support/Fixture.h"
#include "support/LinesSink.h"
#include "support/OnWindows.h"

namespace tabulist::test {
namespace {

ListingOptions DetailOptions(const QString& directory) {
    ListingOptions o;
    o.directory = directory;
    o.showDate = false;
    o.footerFileCount = true;
    return o;
}

// The engine asks the window to run its messages before every fetch; whatever the user or
// another program does to the tree then must not end the listing badly.
TEST(ChangingTree, EntryRemovedAfterItsNameWasReadIsSkippedAndTheListingGoesOn) {
    SKIP_ON_WINDOWS("the Windows scan reads names and metadata in one pass");
    Fixture tree;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) tree.file(name, 1);
    ListingHooks hooks;
    int fetches = 0;
    hooks.processMessages = [&] {
        if (++fetches == 2) tree.remove("b.txt");  // the names are read by now
    };
    LinesSink sink;
    const ListingResult result = BuildListingReport(DetailOptions(tree.rootText()), sink, hooks);
    EXPECT_TRUE(Lists(sink.lines, "a.txt"));
    EXPECT_FALSE(Lists(sink.lines, "b.txt"));
    EXPECT_TRUE(Lists(sink.lines, "c.txt"));
    EXPECT_EQ(result.fileCount, 4);  // "." and ".." are directories of the listing too
    EXPECT_TRUE(sink.lines.last().startsWith(QStringLiteral("founded directories")));
}

TEST(ChangingTree, DirectoryRemovedWhileListedEndsTheListingCleanly) {
    SKIP_ON_WINDOWS("the Windows scan reads names and metadata in one pass");
    Fixture tree;
    tree.dir("gone");
    for (const char* name : {"gone/a", "gone/b", "gone/c"}) tree.file(name, 1);
    ListingHooks hooks;
    int fetches = 0;
    hooks.processMessages = [&] {
        if (++fetches != 3) return;
        for (const char* name : {"gone/a", "gone/b", "gone/c", "gone"}) tree.remove(name);
    };
    LinesSink sink;
    const ListingResult result =
        BuildListingReport(DetailOptions(tree.pathText("gone")), sink, hooks);
    EXPECT_FALSE(Lists(sink.lines, "a") && Lists(sink.lines, "b"));
    EXPECT_FALSE(result.abandoned);
    EXPECT_TRUE(sink.lines.last().startsWith(QStringLiteral("founded directories")));
    // Listed again: the directory is gone.
    BuildListingReport(DetailOptions(tree.pathText("gone")), sink);
    EXPECT_TRUE(sink.lines.contains(QStringLiteral("no files founded")));
}

}  // namespace
}  // namespace tabulist::test
