#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

#include "platform/Entries.h"

namespace tabulist {

class WorkerPool;

// The scans of the folders a tree walk lists next, prepared by worker threads while the walk
// writes the folder before them. At most `limit` folders are asked for at a time; a prepared
// folder of more than FetchUpTo names carries its names alone, its metadata is fetched when it
// is listed. What the walk reads is what opening the folder would have given when it was
// prepared, whatever the threads do.
class FolderReadAhead {
public:
    static constexpr size_t FetchUpTo = 4096;

    FolderReadAhead(WorkerPool& pool, size_t limit, const QString& mask, EntryOrder order,
                    int attrMask);
    ~FolderReadAhead();  // folders not started are never read
    FolderReadAhead(const FolderReadAhead&) = delete;
    FolderReadAhead& operator=(const FolderReadAhead&) = delete;

    size_t limit() const { return limit_; }
    // The folders to be listed next, nearest first, at most limit(): those not asked for yet
    // are asked for; others asked for earlier and not started yet are let go.
    void want(const std::vector<QByteArray>& folders);
    // Opens rec on the folder's prepared scan: waits for the worker preparing it, or prepares
    // it here when no worker has started. False, with rec untouched, when it was not asked for.
    bool open(const QByteArray& folder, TSearchRec& rec, const MetadataFetch& fetch, int& code);
    // The folder will not be listed after all.
    void drop(const QByteArray& folder);
    // Lets go of every folder asked for, waiting for those in work: afterwards the read-ahead
    // holds no descriptor.
    void release();

private:
    struct Job;  // shared with the task preparing it

    std::vector<std::shared_ptr<Job>>::iterator find(const QByteArray& folder);
    void ask(const QByteArray& folder);

    WorkerPool& pool_;
    size_t limit_;
    QString mask_;
    EntryOrder order_;
    int attrMask_;
    std::vector<std::shared_ptr<Job>> jobs_;
};

}  // namespace tabulist
