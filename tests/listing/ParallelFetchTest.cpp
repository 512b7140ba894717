#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <future>

#include "platform/WorkerPool.h"
#include "support/Fixture.h"
#include "support/LinesSink.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::LinesSink;

constexpr MetadataFetch OnCallingThread{nullptr, SIZE_MAX};

// A folder larger than a few fetch chunks, with every kind of entry a line can show.
class ParallelFetch : public ::testing::Test {
protected:
    ParallelFetch() {
        for (int i = 0; i < 700; ++i) {
            QByteArray name = QByteArray::number(i);
            switch (i % 7) {
                case 0:
                    name = "File_" + name + ".TXT";
                    break;
                case 1:
                    name = "\xc3\x9cmlaut_" + name;
                    break;
                case 2:
                    name = ".hidden" + name;
                    break;
                case 3:
                    name = "a rather long name for the fill " + name;
                    break;
                case 4:
                    name = "bad\xff" + name;
                    break;
                default:
                    name = "f" + name;
                    break;
            }
            if (i % 50 == 5) {
                fixture.dir(name);
            } else {
                fixture.file(name, int64_t(i) * 977 + (i % 11 == 0 ? 3LL << 30 : 0));
                if (i % 9 == 0) fixture.setMode(name, 0444);
            }
            fixture.setLocalTime(name, 1990 + i % 30, 1 + i % 12, 1 + i % 28, (i * 5) % 24, i % 60,
                                 (i * 7) % 60);
        }
#ifndef _WIN32
        fixture.fifo("pipe");  // Windows has no FIFOs in folders
#endif
    }

    QStringList list(ListingOptions o, const MetadataFetch& fetch, const ListingHooks& hooks = {}) {
        o.directory = fixture.rootText();
        o.fetch = fetch;
        LinesSink sink;
        BuildListingReport(o, sink, hooks);
        // The parent is the shared temporary folder: its time changes with anyone's files.
        sink.lines.removeIf([](const QString& line) { return line.startsWith(u"[..]"); });
        return sink.lines;
    }

    static std::vector<ListingOptions> everyKindOfListing() {
        std::vector<ListingOptions> all;
        ListingOptions o;
        o.headerPath = o.footerFileCount = o.footerTotalSize = true;
        all.push_back(o);
        for (int unit = 1; unit <= 3; ++unit) {
            o.sizeUnitIndex = unit;
            o.showUnit = unit % 2 == 1;
            o.showHidden = unit != 2;
            all.push_back(o);
        }
        o.regional = test::IsoRegional();
        for (int attributeClass = 1; attributeClass <= 3; ++attributeClass) {
            o.attributeClass = attributeClass;
            all.push_back(o);
        }
        o.attributeClass = 0;
        o.dateFilter = true;
        o.startYearIndex = 15;
        o.stopYearIndex = 25;
        all.push_back(o);
        o.dateFilter = false;
        for (int columns = 1; columns <= 5; columns += 2) {
            o.columnIndex = columns;
            all.push_back(o);
        }
        return all;
    }

    Fixture fixture;
};

TEST_F(ParallelFetch, ListingsAreTheSameWithNoneOneOrSeveralWorkers) {
    WorkerPool one(1), several(4);
    for (const ListingOptions& o : everyKindOfListing()) {
        const QStringList here = list(o, OnCallingThread);
        ASSERT_GT(here.size(), 15);  // the system class lists only the directories and the pipe
        EXPECT_EQ(list(o, {&one, 0}), here);
        EXPECT_EQ(list(o, {&several, 0}), here);
    }
}

// Size and date orders fetch everything before sorting, in chunks shared with the pool.
TEST_F(ParallelFetch, OrdersNeedingEveryEntryUpFrontAreTheSameWithAnyWorkers) {
    WorkerPool one(1), several(4);
    ListingOptions o;
    o.showHidden = true;
    const QStringList byName = list(o, OnCallingThread);
    for (const EntryOrder order :
         {EntryOrder{SortKey::Size, true}, EntryOrder{SortKey::Date, false}}) {
        o.order = order;
        const QStringList here = list(o, OnCallingThread);
        ASSERT_EQ(here.size(), byName.size());
        EXPECT_NE(here, byName);
        EXPECT_EQ(list(o, {&one, 0}), here);
        EXPECT_EQ(list(o, {&several, 0}), here);
    }
}

TEST_F(ParallelFetch, ABusyPoolDoesNotStopTheListing) {
    WorkerPool pool(1);
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    pool.post([released] { released.wait(); });  // holds the pool's only thread
    ListingOptions o;
    const QStringList expected = list(o, OnCallingThread);
    EXPECT_EQ(list(o, {&pool, 0}), expected);
    release.set_value();
}

TEST_F(ParallelFetch, AnAbandonedListingLeavesTheWorkersNothingOfIts) {
    auto pool = std::make_unique<WorkerPool>(2);
    ListingHooks hooks;
    int entries = 0;
    hooks.abandoned = [&entries] { return ++entries > 10; };
    ListingOptions o;
    o.showHidden = true;
    const QStringList lines = list(o, {pool.get(), 0}, hooks);
    EXPECT_EQ(lines.size(), 9);  // ten entries listed, the parent's line left out
    pool.reset();                // joins the threads; tasks left over ran or were dropped cleanly
}

TEST(WorkerPool, RunsEveryTaskPosted) {
    std::atomic<int> done{0};
    {
        WorkerPool pool(3);
        std::promise<void> last;
        for (int i = 0; i < 100; ++i) pool.post([&done] { ++done; });
        pool.post([&last] { last.set_value(); });
        last.get_future().wait();
        // Three threads may still be finishing their last counted task.
    }
    EXPECT_EQ(done.load(), 100);
}

}  // namespace
}  // namespace tabulist
