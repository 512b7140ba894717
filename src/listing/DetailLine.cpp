// One entry's detail line: name, attributes, size and date fields.
#include "listing/DetailLine.h"

#include <algorithm>

#include "listing/DateTime.h"
#include "listing/EntryFilter.h"
#include "listing/NameCell.h"
#include "listing/Rendering.h"

namespace tabulist {

void AppendAttributeLetters(LineBuffer& out, int32_t attr) {
    const AttributeFlags flags = ClassifyAttributes(attr);
    if (flags.archive) out += QLatin1String("A ");
    if (flags.readOnly) out += QLatin1String("R ");
    if (flags.hidden) out += QLatin1String("H ");
    if (flags.system) out += QLatin1String("S ");
}

QString AttributeLetters(int32_t attr) {
    LineBuffer letters;
    AppendAttributeLetters(letters, attr);
    return letters.take();
}

void AppendDetailSize(LineBuffer& out, int64_t size, int unit, bool showUnit) {
    switch (unit) {
        case 0:
            AppendInteger(out, size, 9);
            break;
        case 1:
        case 2:
        case 3: {
            // One division by the unit's power of 1024, unlike the header and footer.
            const double divisor = static_cast<double>(int64_t{1} << (10 * unit));
            const qsizetype start = out.size();
            AppendFixed(out, static_cast<double>(size) / divisor, 9, 3);
            QChar* const end = out.data() + out.size();
            QChar* const point = std::find(out.data() + start, end, QLatin1Char('.'));
            if (point != end) *point = QLatin1Char(',');
            break;
        }
        default:
            return;
    }
    if (showUnit) out += UnitSuffix(unit);
}

QString DetailSizeText(int64_t size, int unit, bool showUnit) {
    LineBuffer text;
    AppendDetailSize(text, size, unit, showUnit);
    return text.take();
}

const QString& DetailLineWriter::line(const TSearchRec& rec) {
    line_.clear();
    AppendNameCell(line_, rec, 14, 31);
    if (rec.MetadataError != 0) {
        // A "?" where each value would stand, so that the fields stay aligned.
        if (options_.showAttributes) line_ += QLatin1String("\t?");
        if (options_.showSize && options_.sizeUnitIndex >= 0 && options_.sizeUnitIndex <= 3)
            line_ += QLatin1String("\t        ?");
        else if (options_.showSize)
            line_ += QLatin1Char('\t');
        if (options_.showDate) line_ += QLatin1String("\t?");
        return line_.text();
    }
    if (options_.showAttributes) {
        line_ += QLatin1Char('\t');
        AppendAttributeLetters(line_, rec.Attr);
    }
    if (options_.showSize) {
        line_ += QLatin1Char('\t');
        AppendDetailSize(line_, rec.Size, options_.sizeUnitIndex, options_.showUnit);
    }
    if (options_.showDate) {
        line_ += QLatin1Char('\t');
        dates_.write(line_, PackedTimeFields(rec.Time));
    }
    return line_.text();
}

QString DetailLineText(const TSearchRec& rec, const ListingOptions& options) {
    DetailLineWriter writer(options);
    return writer.line(rec);
}

}  // namespace tabulist
