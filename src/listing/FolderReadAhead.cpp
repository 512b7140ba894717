// FolderReadAhead: whole folders prepared on the worker pool, claimed by whoever comes first.
#include "listing/FolderReadAhead.h"

#include <algorithm>
#include <atomic>

#include "platform/AtomicWait.h"
#include "platform/Errors.h"
#include "platform/WorkerPool.h"

namespace tabulist {

namespace {
enum Phase : int { Waiting, Claimed, Done, Dropped };
}

struct FolderReadAhead::Job {
    Job(QByteArray f, QString m, EntryOrder o, int a)
        : folder(std::move(f)), mask(std::move(m)), order(o), attrMask(a) {}

    // Whoever claims the job first prepares it: a worker, or the walk when it gets there first.
    bool claim() {
        int expected = Waiting;
        return phase.compare_exchange_strong(expected, Claimed, std::memory_order_acquire);
    }

    void prepare() {
        result = PrepareEntryScan(folder, mask, attrMask, order, FetchUpTo);
        phase.store(Done, std::memory_order_release);
        WakeAllWaiting(phase);
    }

    const QByteArray folder;
    const QString mask;
    const EntryOrder order;
    const int attrMask;
    std::atomic<int> phase{Waiting};
    PreparedScan result;
};

FolderReadAhead::FolderReadAhead(WorkerPool& pool, size_t limit, const QString& mask,
                                 EntryOrder order, int attrMask)
    : pool_(pool), limit_(limit), mask_(mask), order_(order), attrMask_(attrMask) {}

FolderReadAhead::~FolderReadAhead() {
    while (!jobs_.empty()) drop(jobs_.back()->folder);
}

std::vector<std::shared_ptr<FolderReadAhead::Job>>::iterator FolderReadAhead::find(
    const QByteArray& folder) {
    return std::find_if(jobs_.begin(), jobs_.end(),
                        [&](const std::shared_ptr<Job>& job) { return job->folder == folder; });
}

void FolderReadAhead::want(const std::vector<QByteArray>& folders) {
    auto wanted = [&](const QByteArray& folder) {
        return std::find(folders.begin(), folders.end(), folder) != folders.end();
    };
    // Let go of what is no longer among the next folders, unless a worker has it already;
    // even then, never hold more than twice the limit.
    for (size_t i = jobs_.size(); i-- > 0;) {
        Job& job = *jobs_[i];
        int expected = Waiting;
        if (!wanted(job.folder) &&
            (job.phase.compare_exchange_strong(expected, Dropped, std::memory_order_relaxed) ||
             jobs_.size() > 2 * limit_))
            jobs_.erase(jobs_.begin() + std::ptrdiff_t(i));
    }
    for (const QByteArray& folder : folders)
        if (find(folder) == jobs_.end()) ask(folder);
}

void FolderReadAhead::ask(const QByteArray& folder) {
    auto job = std::make_shared<Job>(folder, mask_, order_, attrMask_);
    jobs_.push_back(job);
    pool_.post([job] {
        if (job->claim()) job->prepare();
    });
}

bool FolderReadAhead::open(const QByteArray& folder, TSearchRec& rec, const MetadataFetch& fetch,
                           int& code) {
    const auto at = find(folder);
    if (at == jobs_.end()) return false;
    const std::shared_ptr<Job> job = *at;
    jobs_.erase(at);
    if (job->claim()) {
        job->prepare();
    } else {
        for (int p = job->phase.load(std::memory_order_acquire); p != Done;
             p = job->phase.load(std::memory_order_acquire))
            WaitWhileEqual(job->phase, p);
    }
    // The folders held open ahead may be what ran out of descriptors: then the walk reads the
    // folder itself, as it would have without them.
    if (job->result.code == InOutTooManyOpenFiles) return false;
    code = OpenPreparedScan(std::move(job->result), rec, fetch);
    return true;
}

void FolderReadAhead::release() {
    for (const std::shared_ptr<Job>& job : jobs_) {
        int p = Waiting;
        if (job->phase.compare_exchange_strong(p, Dropped, std::memory_order_acquire)) continue;
        for (; p != Done; p = job->phase.load(std::memory_order_acquire))
            WaitWhileEqual(job->phase, p);
        job->result = PreparedScan();  // the worker is done with it; its descriptor closes here
    }
    jobs_.clear();
}

void FolderReadAhead::drop(const QByteArray& folder) {
    const auto at = find(folder);
    if (at == jobs_.end()) return;
    // A job no worker has started is never started; one in work ends on its own, and its
    // result goes with the last reference.
    int expected = Waiting;
    (*at)->phase.compare_exchange_strong(expected, Dropped, std::memory_order_relaxed);
    jobs_.erase(at);
}

}  // namespace tabulist
