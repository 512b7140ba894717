// FindFirst-style enumeration of a directory's entries over EntryScan.
#include "platform/Entries.h"

#include "platform/EntryScan.h"
#include "platform/MaskMatcher.h"

namespace tabulist {

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

int OpenEntryScan(const QByteArray& directory, const QString& mask, int attrMask, TSearchRec& rec,
                  EntryOrder order, const MetadataFetch& fetch) {
    rec.ScanHandle.reset();
    rec.ExcludeMask = ~uint32_t(attrMask) & 0x1E;
    const MaskMatcher matcher(mask);
    if (matcher.isEmpty() || directory.isEmpty()) return 2;
    std::unique_ptr<EntryScan> scan;
    if (const int code = EntryScan::open(directory, matcher, rec.ExcludeMask, order, fetch, scan))
        return code;
    if (const int code = scan->next(rec)) return code;  // every entry excluded or gone
    rec.ScanHandle = std::move(scan);
    return 0;
}

int NextScanEntry(TSearchRec& rec) {
    return rec.ScanHandle ? rec.ScanHandle->next(rec) : ScanNoMoreFiles;
}

void CloseEntryScan(TSearchRec& rec) { rec.ScanHandle.reset(); }

}  // namespace tabulist
