#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "listing/Checksums.h"

namespace tabulist {

class WorkerPool;

// Files checksummed on a worker pool, several at once, and handed back on the caller's
// thread in the order they were queued, whatever the threads do. At most `window` items
// wait at a time, so memory grows neither with the listing nor with the files' sizes: each
// reading thread has one buffer of ChecksumReadSize bytes.
class ChecksumQueue {
public:
    using Deliver = std::function<void(const FileChecksum& sum)>;

    ChecksumQueue(ChecksumAlgorithm algorithm, WorkerPool& pool, size_t window = 512);
    ~ChecksumQueue();  // what is not delivered yet is dropped, reading stops
    ChecksumQueue(const ChecksumQueue&) = delete;
    ChecksumQueue& operator=(const ChecksumQueue&) = delete;

    ChecksumAlgorithm algorithm() const { return algorithm_; }

    // Queues one item: path names a file to read (as the file system names it), or is empty
    // for an item with nothing to read, delivered in its turn with an empty checksum. The
    // items done at the head of the queue are delivered first; with the window full this
    // waits for the oldest. A delivery's exception propagates from here or from finish.
    void add(const QByteArray& path, int64_t size, Deliver deliver);
    // Delivers everything queued, waiting for what is still being read.
    void finish();
    // Drops what is not delivered yet and stops reading; later items are dropped too.
    void stop();

    int64_t bytesQueued() const { return queued_; }
    int64_t bytesDone() const;

    // Called on the caller's thread about every interval while it queues or waits: progress
    // on a terminal or in a status bar.
    void onTick(std::function<void()> tick, std::chrono::milliseconds interval);

private:
    struct Shared;
    struct Item;

    void deliverDone(bool wait);
    void tickIfDue();

    ChecksumAlgorithm algorithm_;
    WorkerPool& pool_;
    size_t window_;
    std::shared_ptr<Shared> shared_;
    int64_t queued_ = 0;
    bool stopped_ = false;
    std::function<void()> tick_;
    std::chrono::milliseconds interval_{0};
    std::chrono::steady_clock::time_point nextTick_;
};

// Progress for a terminal line or a status bar, e.g. "checksums: 1.2 GiB of 3.4 GiB,
// 512.0 MiB/s, 0:05 left". The total grows as the listing finds more files.
QString ChecksumProgressText(int64_t done, int64_t total, double seconds);

}  // namespace tabulist
