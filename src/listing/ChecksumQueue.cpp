// ChecksumQueue: a bounded, ordered window of files read by the worker pool.
#include "listing/ChecksumQueue.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/WorkerPool.h"

namespace tabulist {

struct ChecksumQueue::Item {
    QByteArray path;
    Deliver deliver;
    FileChecksum sum;
    bool done = false;
};

// What the queue shares with its reading tasks, which may outlive it by one file.
struct ChecksumQueue::Shared {
    ChecksumAlgorithm algorithm;
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<std::shared_ptr<Item>> order;   // every item, oldest first
    std::deque<std::shared_ptr<Item>> unread;  // the items no task has taken yet
    unsigned readers = 0;                      // tasks running
    std::atomic<int64_t> done{0};
    std::atomic<bool> stop{false};

    // One reading task: takes the oldest unread file until none is left. A task never waits
    // for another, as the pool asks.
    void read() {
        thread_local std::vector<char> buffer(ChecksumReadSize);
        for (;;) {
            std::shared_ptr<Item> item;
            {
                std::lock_guard<std::mutex> lock(mutex);
                if (unread.empty() || stop.load()) {
                    --readers;
                    changed.notify_all();
                    return;
                }
                item = std::move(unread.front());
                unread.pop_front();
            }
            FileChecksum sum;
            try {
                sum = ChecksumOfFile(item->path, algorithm, buffer.data(), &done, &stop);
            } catch (const std::bad_alloc&) {
                sum.error = 8;  // out of memory, as an I/O error code says it
            }
            std::lock_guard<std::mutex> lock(mutex);
            item->sum = std::move(sum);
            item->done = true;
            changed.notify_all();
        }
    }
};

ChecksumQueue::ChecksumQueue(ChecksumAlgorithm algorithm, WorkerPool& pool, size_t window)
    : algorithm_(algorithm),
      pool_(pool),
      window_(window == 0 ? 1 : window),
      shared_(std::make_shared<Shared>()) {
    shared_->algorithm = algorithm;
}

ChecksumQueue::~ChecksumQueue() { stop(); }

void ChecksumQueue::stop() {
    stopped_ = true;
    std::lock_guard<std::mutex> lock(shared_->mutex);
    shared_->stop = true;
    shared_->unread.clear();
    shared_->order.clear();
}

int64_t ChecksumQueue::bytesDone() const { return shared_->done.load(std::memory_order_relaxed); }

void ChecksumQueue::onTick(std::function<void()> tick, std::chrono::milliseconds interval) {
    tick_ = std::move(tick);
    interval_ = interval;
    nextTick_ = std::chrono::steady_clock::now() + interval;
}

void ChecksumQueue::tickIfDue() {
    if (!tick_) return;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextTick_) return;
    nextTick_ = now + interval_;
    tick_();
}

void ChecksumQueue::add(const QByteArray& path, int64_t size, Deliver deliver) {
    if (stopped_) return;
    auto item = std::make_shared<Item>();
    item->path = path;
    item->deliver = std::move(deliver);
    item->done = path.isEmpty();
    bool start = false;
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->order.push_back(item);
        if (!item->done) {
            queued_ += size;
            shared_->unread.push_back(std::move(item));
            start = shared_->readers < pool_.size();
            if (start) ++shared_->readers;
        }
    }
    if (start) pool_.post([shared = shared_] { shared->read(); });
    deliverDone(false);
    while (true) {
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            if (shared_->order.size() < window_) break;
        }
        deliverDone(true);
    }
    tickIfDue();
}

// Delivers the items done at the head; with wait, first waits until the oldest is done.
void ChecksumQueue::deliverDone(bool wait) {
    for (;;) {
        std::shared_ptr<Item> item;
        {
            std::unique_lock<std::mutex> lock(shared_->mutex);
            while (wait && !shared_->order.empty() && !shared_->order.front()->done) {
                if (tick_) {
                    lock.unlock();
                    tickIfDue();
                    lock.lock();
                    shared_->changed.wait_for(lock, interval_);
                } else {
                    shared_->changed.wait(lock);
                }
            }
            if (shared_->order.empty() || !shared_->order.front()->done) return;
            item = std::move(shared_->order.front());
            shared_->order.pop_front();
        }
        wait = false;
        item->deliver(item->sum);
    }
}

void ChecksumQueue::finish() {
    for (;;) {
        {
            std::lock_guard<std::mutex> lock(shared_->mutex);
            if (shared_->order.empty()) break;
        }
        deliverDone(true);
    }
    tickIfDue();
}

namespace {

QString Bytes(double bytes) {
    static const char* const units[] = {"bytes", "KiB", "MiB", "GiB", "TiB"};
    int unit = 0;
    while (bytes >= 1024 && unit < 4) {
        bytes /= 1024;
        ++unit;
    }
    return unit == 0
               ? QStringLiteral("%1 bytes").arg(qint64(bytes))
               : QStringLiteral("%1 %2").arg(bytes, 0, 'f', 1).arg(QLatin1String(units[unit]));
}

}  // namespace

QString ChecksumProgressText(int64_t done, int64_t total, double seconds) {
    QString text =
        QStringLiteral("checksums: %1 of %2").arg(Bytes(double(done)), Bytes(double(total)));
    if (seconds <= 0 || done <= 0) return text;
    const double rate = double(done) / seconds;
    const int64_t left = int64_t(double(std::max<int64_t>(total - done, 0)) / rate + 0.5);
    return text + QStringLiteral(", %1/s, %2:%3 left")
                      .arg(Bytes(rate))
                      .arg(left / 60)
                      .arg(left % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace tabulist
