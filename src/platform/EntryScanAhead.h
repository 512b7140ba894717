#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/EntryScan.h"

namespace tabulist {

class WorkerPool;

// The metadata of a large folder, fetched by a worker pool in chunks a bounded window ahead
// of the entry being read. The reader fetches a chunk no worker has started yet itself, so
// it never waits for a pool that is busy elsewhere, and the order it reads in is the
// folder's whatever the threads do.
class MetadataAhead {
public:
    MetadataAhead(std::shared_ptr<const ScannedFolder> folder, WorkerPool& pool);
    ~MetadataAhead();  // tasks still queued then do nothing
    MetadataAhead(const MetadataAhead&) = delete;
    MetadataAhead& operator=(const MetadataAhead&) = delete;

    // The entry's metadata; entries are asked for one after the other, from the first.
    const EntryMeta& at(size_t index);

private:
    struct Window;  // the chunks in flight, shared with the posted tasks

    void post(size_t chunk);

    std::shared_ptr<Window> window_;
    WorkerPool& pool_;
    size_t chunks_;
    size_t reading_ = size_t(-1);  // the chunk being read
};

// The metadata of every entry of folder, in its order, as an order by size or date needs it
// before the first entry. A folder of fetch.minEntries names or more is shared out in chunks
// with the pool; the caller fetches whatever chunk no worker has started, so a busy pool
// only slows it down.
std::vector<EntryMeta> FetchAllMetadata(std::shared_ptr<const ScannedFolder> folder,
                                        const MetadataFetch& fetch);

}  // namespace tabulist
