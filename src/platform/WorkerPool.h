#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace tabulist {

// A fixed set of threads running posted tasks in the order posted. Listings use it to fetch
// metadata ahead of the entry being written. A task must not throw and must not wait for
// another task: the pool is shared, so a waiting task could hold the thread the other needs.
class WorkerPool {
public:
    explicit WorkerPool(unsigned threads);  // at least one thread
    ~WorkerPool();                          // tasks not yet started are dropped
    WorkerPool(const WorkerPool&) = delete;
    WorkerPool& operator=(const WorkerPool&) = delete;

    unsigned size() const { return unsigned(threads_.size()); }
    void post(std::function<void()> task);
    // Waits until no task is queued or running, and what the tasks held is released (the
    // descriptors of folders whose metadata they fetch). Never from a task.
    void waitIdle();

    // One thread per core, started on first use and kept for the rest of the run.
    static WorkerPool& shared();

private:
    void work();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    unsigned running_ = 0;
    std::deque<std::function<void()>> tasks_;
    bool stopping_ = false;
    std::vector<std::thread> threads_;
};

}  // namespace tabulist
