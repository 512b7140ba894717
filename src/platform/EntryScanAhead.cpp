#include "platform/EntryScanAhead.h"

#include <algorithm>
#include <atomic>

#include "platform/AtomicWait.h"
#include "platform/WorkerPool.h"

namespace tabulist {

namespace {

// 256 entries amortise a task's hand-over; 16 chunks ahead keep both cores busy while
// holding only 64 KB of results, whatever the folder's size.
constexpr size_t ChunkEntries = 256;
constexpr size_t WindowChunks = 16;

// A slot's tag names the chunk it holds and how far that chunk is.
enum Phase : uint32_t { Free = 0, Claimed = 1, Done = 2 };
constexpr uint32_t Tag(size_t chunk, Phase phase) { return uint32_t(chunk) * 4 + phase; }

}  // namespace

struct MetadataAhead::Window {
    struct Slot {
        std::atomic<uint32_t> tag{0};
        EntryMeta meta[ChunkEntries];
    };

    explicit Window(std::shared_ptr<const ScannedFolder> f) : folder(std::move(f)) {
        for (size_t i = 0; i < WindowChunks; ++i) ring[i].tag.store(Tag(i, Free));
    }

    Slot& slotOf(size_t chunk) { return ring[chunk % WindowChunks]; }

    // Whoever claims a chunk first fetches it: a task, or the reader that got there first.
    bool claim(size_t chunk) {
        uint32_t expected = Tag(chunk, Free);
        return slotOf(chunk).tag.compare_exchange_strong(expected, Tag(chunk, Claimed),
                                                         std::memory_order_acquire);
    }

    void fill(size_t chunk) {
        Slot& slot = slotOf(chunk);
        const size_t first = chunk * ChunkEntries;
        const size_t end = std::min(first + ChunkEntries, folder->items.size());
        if (!closed.load(std::memory_order_relaxed))
            for (size_t i = first; i < end; ++i) slot.meta[i - first] = folder->fetch(i);
        slot.tag.store(Tag(chunk, Done), std::memory_order_release);
        WakeAllWaiting(slot.tag);
    }

    std::shared_ptr<const ScannedFolder> folder;
    std::atomic<bool> closed{false};
    Slot ring[WindowChunks];
};

MetadataAhead::MetadataAhead(std::shared_ptr<const ScannedFolder> folder, WorkerPool& pool)
    : window_(std::make_shared<Window>(std::move(folder))),
      pool_(pool),
      chunks_((window_->folder->items.size() + ChunkEntries - 1) / ChunkEntries) {
    for (size_t c = 0; c < std::min(chunks_, WindowChunks); ++c) post(c);
}

MetadataAhead::~MetadataAhead() { window_->closed.store(true, std::memory_order_relaxed); }

void MetadataAhead::post(size_t chunk) {
    pool_.post([window = window_, chunk] {
        if (window->claim(chunk)) window->fill(chunk);
    });
}

const EntryMeta& MetadataAhead::at(size_t index) {
    const size_t chunk = index / ChunkEntries;
    Window& w = *window_;
    if (chunk != reading_) {
        // The chunk just read frees its slot for the one a window further on.
        if (reading_ != size_t(-1) && reading_ + WindowChunks < chunks_) {
            const size_t ahead = reading_ + WindowChunks;
            w.slotOf(ahead).tag.store(Tag(ahead, Free), std::memory_order_release);
            post(ahead);
        }
        reading_ = chunk;
        if (w.claim(chunk)) {
            w.fill(chunk);
        } else {
            std::atomic<uint32_t>& tag = w.slotOf(chunk).tag;
            for (uint32_t t = tag.load(std::memory_order_acquire); t != Tag(chunk, Done);
                 t = tag.load(std::memory_order_acquire))
                WaitWhileEqual(tag, t);
        }
    }
    return w.slotOf(chunk).meta[index - chunk * ChunkEntries];
}

namespace {

// The chunks of one FetchAllMetadata call, shared with its tasks: a task that starts after
// every chunk was taken finds nothing left and touches nothing else.
struct FetchAllState {
    FetchAllState(std::shared_ptr<const ScannedFolder> f, size_t chunkCount)
        : folder(std::move(f)), chunks(chunkCount), meta(folder->items.size()) {}

    // Takes chunks until none is left.
    void work() {
        for (size_t chunk = taken.fetch_add(1); chunk < chunks; chunk = taken.fetch_add(1)) {
            const size_t end = std::min((chunk + 1) * ChunkEntries, meta.size());
            for (size_t i = chunk * ChunkEntries; i < end; ++i) meta[i] = folder->fetch(i);
            if (done.fetch_add(1, std::memory_order_acq_rel) + 1 == chunks) WakeAllWaiting(done);
        }
    }

    std::shared_ptr<const ScannedFolder> folder;
    const size_t chunks;
    std::vector<EntryMeta> meta;
    std::atomic<size_t> taken{0};
    std::atomic<size_t> done{0};
};

}  // namespace

std::vector<EntryMeta> FetchAllMetadata(std::shared_ptr<const ScannedFolder> folder,
                                        const MetadataFetch& fetch) {
    const size_t count = folder->items.size();
    const size_t chunks = (count + ChunkEntries - 1) / ChunkEntries;
    auto state = std::make_shared<FetchAllState>(std::move(folder), chunks);
    if (count >= fetch.minEntries && chunks > 1) {
        WorkerPool& pool = fetch.workers();
        for (unsigned i = 0; i < std::min<size_t>(pool.size(), chunks - 1); ++i)
            pool.post([state] { state->work(); });
    }
    state->work();
    for (size_t d = state->done.load(std::memory_order_acquire); d != chunks;
         d = state->done.load(std::memory_order_acquire))
        WaitWhileEqual(state->done, d);
    return std::move(state->meta);
}

}  // namespace tabulist
