#include <gtest/gtest.h>

#include <QProcess>
#include <atomic>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "listing/ChecksumQueue.h"
#include "listing/Checksums.h"
#include "platform/WorkerPool.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"

namespace tabulist {
namespace {

using test::Fixture;

// The system's own tool on the file, started at once so that the tools and this process
// read at the same time; first() is the first field of its line.
class ToolRun {
public:
    ToolRun(const QString& tool, const QStringList& options, const QString& file) {
        process_.start(tool, options + QStringList{file});
    }
    QByteArray first() {
        EXPECT_TRUE(process_.waitForFinished(600000));
        EXPECT_EQ(process_.exitCode(), 0);
        return process_.readAllStandardOutput().split(' ').value(0);
    }

private:
    QProcess process_;
};

QByteArray OurChecksum(const QByteArray& path, ChecksumAlgorithm algorithm) {
    std::vector<char> buffer(ChecksumReadSize);
    const FileChecksum sum = ChecksumOfFile(path, algorithm, buffer.data());
    EXPECT_EQ(sum.error, 0);
    return sum.text;
}

struct Tool {
    ChecksumAlgorithm algorithm;
    QString program;
    QStringList options;
};
const Tool Tools[] = {{ChecksumAlgorithm::Sha256, "sha256sum", {}},
                      {ChecksumAlgorithm::Md5, "md5sum", {}},
                      {ChecksumAlgorithm::Xxh128, "xxhsum", {"-H2"}}};

// Sizes around the read size, where a piece is lost or read twice when the loop is wrong;
// then 3 GB, past every 32-bit count, sparse so that it costs no disk.
TEST(Checksums, EqualTheSystemToolsAtTheReadSizeEdges) {
    SKIP_WITHOUT_DEBIAN_TOOL("sha256sum, md5sum and xxhsum");
    Fixture fx;
    std::mt19937 random(27);
    const int64_t piece = int64_t(ChecksumReadSize);
    fx.file("empty", QByteArray());
    fx.file("one", QByteArray("x"));
    fx.file("piece", test::RandomBytes(random, int(piece)));
    fx.file("piece+1", test::RandomBytes(random, int(piece + 1)));
    fx.file("sparse", 3'000'000'000LL);
    for (const char* name : {"empty", "one", "piece", "piece+1", "sparse"}) {
        std::vector<std::unique_ptr<ToolRun>> runs;
        for (const Tool& tool : Tools)
            runs.push_back(
                std::make_unique<ToolRun>(tool.program, tool.options, fx.pathText(name)));
        for (size_t i = 0; i < std::size(Tools); ++i) {
            SCOPED_TRACE(std::string(name) + " " + Tools[i].program.toStdString());
            const QByteArray ours = OurChecksum(fx.path(name), Tools[i].algorithm);
            EXPECT_EQ(ours.size(), ChecksumHexLength(Tools[i].algorithm));
            EXPECT_EQ(ours, runs[i]->first());
        }
    }
}

TEST(Checksums, NamesAndLinksAndFailures) {
    SKIP_ON_WINDOWS("FIFOs are Linux's");
    for (const Tool& tool : Tools)
        EXPECT_EQ(ChecksumNamed(ChecksumName(tool.algorithm)), tool.algorithm);
    EXPECT_FALSE(ChecksumNamed("SHA256"));
    EXPECT_FALSE(ChecksumNamed("sha1"));

    Fixture fx;
    fx.file("file", QByteArray("abc"));
    fx.symlink("link", "file");
    fx.fifo("fifo");
    std::vector<char> buffer(ChecksumReadSize);
    // A link, a FIFO and a folder have no checksum and are no failure; a missing file is.
    for (const char* name : {"link", "fifo", ""}) {
        const FileChecksum sum =
            ChecksumOfFile(fx.path(name), ChecksumAlgorithm::Md5, buffer.data());
        EXPECT_EQ(sum.error, 0) << name;
        EXPECT_TRUE(sum.text.isEmpty()) << name;
    }
    const FileChecksum missing =
        ChecksumOfFile(fx.path("gone"), ChecksumAlgorithm::Md5, buffer.data());
    EXPECT_EQ(missing.error, 2);
    EXPECT_TRUE(missing.text.isEmpty());
    // Reading stops when told, without a checksum of part of the file.
    std::atomic<bool> stop{true};
    std::atomic<int64_t> done{0};
    const FileChecksum stopped =
        ChecksumOfFile(fx.path("file"), ChecksumAlgorithm::Md5, buffer.data(), &done, &stop);
    EXPECT_TRUE(stopped.text.isEmpty());
    EXPECT_EQ(stopped.error, 0);
    EXPECT_EQ(done.load(), 3);
}

// Files of very different sizes finish in another order than queued; they are delivered in
// the queued order, with windows smaller than the number of files, and the items in
// between that need no reading keep their places.
TEST(ChecksumQueue, DeliversInQueuedOrderWhateverFinishesFirst) {
    Fixture fx;
    std::mt19937 random(5);
    std::vector<QByteArray> expected;  // empty: an item with nothing to read
    std::vector<int64_t> sizes;
    for (int i = 0; i < 40; ++i) {
        if (i % 5 == 3) {
            expected.push_back({});
            sizes.push_back(0);
            continue;
        }
        const QByteArray content = test::RandomBytes(random, i % 7 == 0 ? 3 << 20 : i);
        fx.file("f" + QByteArray::number(i), content);
        Hasher hasher(ChecksumAlgorithm::Sha256);
        hasher.add(content.constData(), size_t(content.size()));
        expected.push_back(hasher.text());
        sizes.push_back(content.size());
    }
    WorkerPool pool(3);
    for (const size_t window : {size_t(1), size_t(4), size_t(512)}) {
        SCOPED_TRACE(window);
        ChecksumQueue queue(ChecksumAlgorithm::Sha256, pool, window);
        std::vector<int> order;
        std::vector<QByteArray> got;
        int ticks = 0;
        queue.onTick([&] { ++ticks; }, std::chrono::milliseconds(0));
        for (int i = 0; i < 40; ++i) {
            const QByteArray path =
                expected[size_t(i)].isEmpty() ? QByteArray() : fx.path("f" + QByteArray::number(i));
            queue.add(path, sizes[size_t(i)], [&, i](const FileChecksum& sum) {
                order.push_back(i);
                got.push_back(sum.text);
            });
            EXPECT_LT(i + 1 - int(order.size()), int(window));
        }
        queue.finish();
        ASSERT_EQ(order.size(), 40u);
        for (int i = 0; i < 40; ++i) EXPECT_EQ(order[size_t(i)], i);
        EXPECT_EQ(got, expected);
        EXPECT_EQ(queue.bytesDone(), queue.bytesQueued());
        EXPECT_GT(ticks, 0);
    }
}

// A delivery that throws (a full disk under the output) leaves the queue usable for the
// rest, and a queue dropped with files still being read stops them.
TEST(ChecksumQueue, ADeliveryErrorPropagatesAndDroppingStopsReading) {
    Fixture fx;
    fx.file("a", QByteArray("a"));
    fx.file("big", 3'000'000'000LL);
    WorkerPool pool(2);
    {
        ChecksumQueue queue(ChecksumAlgorithm::Md5, pool);
        int after = 0, thrown = 0;
        // The error comes from whichever call delivers the item: an add or the finish.
        const auto call = [&](const std::function<void()>& f) {
            try {
                f();
            } catch (const std::runtime_error&) {
                ++thrown;
            }
        };
        call([&] {
            queue.add(fx.path("a"), 1,
                      [](const FileChecksum&) { throw std::runtime_error("full"); });
        });
        call([&] { queue.add(fx.path("a"), 1, [&](const FileChecksum&) { ++after; }); });
        call([&] { queue.finish(); });
        call([&] { queue.finish(); });
        EXPECT_EQ(thrown, 1);
        EXPECT_EQ(after, 1);
    }
    const auto started = std::chrono::steady_clock::now();
    {
        ChecksumQueue queue(ChecksumAlgorithm::Md5, pool);
        queue.add(fx.path("big"), 3'000'000'000LL, [](const FileChecksum&) { FAIL(); });
        while (queue.bytesDone() == 0) std::this_thread::yield();
    }
    // The pool's next task runs as soon as the reader has seen the stop.
    std::atomic<bool> ran{false};
    pool.post([&] { ran = true; });
    while (!ran) std::this_thread::yield();
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(3));
}

}  // namespace
}  // namespace tabulist
