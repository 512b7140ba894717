#include "listing/EntryRecord.h"

#include <string>

#include "listing/DetailLine.h"
#include "platform/IsoTime.h"
#include "platform/NameCoding.h"

namespace tabulist {

namespace {

QString TypeOf(int32_t attr) {
    if (attr & AttrDirectory) return QStringLiteral("directory");
    if (attr & AttrSystem) return QStringLiteral("other");  // devices, FIFOs, sockets
    return QStringLiteral("file");
}

}  // namespace

EntryRecord MakeEntryRecord(const QString& folder, const TSearchRec& rec) {
    EntryRecord record;
    record.folder = folder;
    std::u32string text;
    // The data formats quote or escape what would break a listing's lines.
    DecodeName(rec.RawName.constData(), size_t(rec.RawName.size()), text, true);
    record.name = QString::fromUcs4(text.data(), qsizetype(text.size()));
    record.type = TypeOf(rec.Attr);
    record.attributes = AttributeLetters(rec.Attr).remove(QLatin1Char(' '));
    record.size = rec.Size;
    record.modified = IsoLocalTimeText(rec.ModifiedTime);
    record.known = rec.MetadataError == 0;
    if (!record.known) record.attributes.clear();
    return record;
}

}  // namespace tabulist
