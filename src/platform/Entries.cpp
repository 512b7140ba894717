// FindFirst-style enumeration of a directory's entries over EntryScan.
#include "platform/Entries.h"

#include "platform/EntryScan.h"
#include "platform/MaskMatcher.h"
#include "platform/WorkerPool.h"

namespace tabulist {

WorkerPool& MetadataFetch::workers() const { return pool ? *pool : WorkerPool::shared(); }

TSearchRec::TSearchRec() = default;
TSearchRec::~TSearchRec() = default;
TSearchRec::TSearchRec(TSearchRec&&) noexcept = default;
TSearchRec& TSearchRec::operator=(TSearchRec&&) noexcept = default;

int OpenEntryScan(const QString& pattern, int mask, TSearchRec& rec, EntryOrder order,
                  const MetadataFetch& fetch) {
    const qsizetype slash = pattern.lastIndexOf(QLatin1Char('/'));
    QByteArray directory;
    if (slash < 0)
        directory = ".";
    else if (slash == 0)
        directory = "/";
    else
        directory = pattern.left(slash).toUtf8();
    return OpenEntryScan(directory, pattern.mid(slash + 1), mask, rec, order, fetch);
}

PreparedScan::PreparedScan() = default;
PreparedScan::~PreparedScan() = default;
PreparedScan::PreparedScan(PreparedScan&&) noexcept = default;
PreparedScan& PreparedScan::operator=(PreparedScan&&) noexcept = default;

namespace {

PreparedScan Prepare(const QByteArray& directory, const QString& mask, int attrMask,
                     EntryOrder order, const MetadataFetch& fetch) {
    PreparedScan prepared;
    prepared.excludeMask = ~uint32_t(attrMask) & 0x1E;
    const MaskMatcher matcher(mask);
    if (matcher.isEmpty() || directory.isEmpty()) {
        prepared.code = ScanNothingFound;
        return prepared;
    }
    prepared.code =
        EntryScan::open(directory, matcher, prepared.excludeMask, order, fetch, prepared.scan);
    return prepared;
}

}  // namespace

PreparedScan PrepareEntryScan(const QByteArray& directory, const QString& mask, int attrMask,
                              EntryOrder order, size_t fetchUpTo) {
    // Everything on this thread: a worker preparing a scan must not wait for the pool.
    PreparedScan prepared = Prepare(directory, mask, attrMask, order, {nullptr, SIZE_MAX});
    if (prepared.code == 0 && prepared.scan->entryCount() <= fetchUpTo) prepared.scan->fetchAll();
    return prepared;
}

int OpenPreparedScan(PreparedScan&& prepared, TSearchRec& rec, const MetadataFetch& fetch) {
    rec.ScanHandle.reset();
    rec.ExcludeMask = prepared.excludeMask;
    if (prepared.code != 0) return prepared.code;
    std::unique_ptr<EntryScan> scan = std::move(prepared.scan);
    scan->fetchAheadIfLarge(fetch);
    if (const int code = scan->next(rec)) return code;  // every entry excluded or gone
    rec.ScanHandle = std::move(scan);
    return 0;
}

int OpenEntryScan(const QByteArray& directory, const QString& mask, int attrMask, TSearchRec& rec,
                  EntryOrder order, const MetadataFetch& fetch) {
    return OpenPreparedScan(Prepare(directory, mask, attrMask, order, fetch), rec, fetch);
}

int NextScanEntry(TSearchRec& rec) {
    return rec.ScanHandle ? rec.ScanHandle->next(rec) : ScanNoMoreFiles;
}

void CloseEntryScan(TSearchRec& rec) { rec.ScanHandle.reset(); }

}  // namespace tabulist
