#include "platform/WorkerPool.h"

namespace tabulist {

WorkerPool::WorkerPool(unsigned threads) {
    if (threads == 0) threads = 1;
    threads_.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) threads_.emplace_back([this] { work(); });
}

WorkerPool::~WorkerPool() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
        tasks_.clear();
    }
    wake_.notify_all();
    for (std::thread& t : threads_) t.join();
}

void WorkerPool::post(std::function<void()> task) {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    wake_.notify_one();
}

void WorkerPool::work() {
    for (;;) {
        {
            std::function<void()> task;
            {
                std::unique_lock<std::mutex> lock(mutex_);
                wake_.wait(lock, [this] { return stopping_ || !tasks_.empty(); });
                if (stopping_) return;
                task = std::move(tasks_.front());
                tasks_.pop_front();
                ++running_;
            }
            task();
        }  // the task and what it holds are gone before it counts as done
        std::lock_guard<std::mutex> lock(mutex_);
        if (--running_ == 0 && tasks_.empty()) idle_.notify_all();
    }
}

void WorkerPool::waitIdle() {
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return stopping_ || (tasks_.empty() && running_ == 0); });
}

WorkerPool& WorkerPool::shared() {
    static WorkerPool pool(std::thread::hardware_concurrency());
    return pool;
}

}  // namespace tabulist
