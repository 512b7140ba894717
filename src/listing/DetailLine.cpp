// One entry's detail line: name, attributes, size and date fields.
#include "listing/DetailLine.h"

#include "listing/EntryFilter.h"
#include "listing/NameCell.h"
#include "listing/Rendering.h"

namespace tabulist {

void AppendAttributeLetters(QString& out, int32_t attr) {
    const AttributeFlags flags = ClassifyAttributes(attr);
    if (flags.archive) out += QLatin1String("A ");
    if (flags.readOnly) out += QLatin1String("R ");
    if (flags.hidden) out += QLatin1String("H ");
    if (flags.system) out += QLatin1String("S ");
}

QString AttributeLetters(int32_t attr) {
    QString letters;
    AppendAttributeLetters(letters, attr);
    return letters;
}

void AppendDetailSize(QString& out, int64_t size, int unit, bool showUnit) {
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
            const qsizetype point = out.indexOf(QLatin1Char('.'), start);
            if (point >= 0) out[point] = QLatin1Char(',');
            break;
        }
        default:
            return;
    }
    if (showUnit) out += UnitSuffix(unit);
}

QString DetailSizeText(int64_t size, int unit, bool showUnit) {
    QString text;
    AppendDetailSize(text, size, unit, showUnit);
    return text;
}

const QString& DetailLineWriter::line(const TSearchRec& rec) {
    ReuseLine(line_);
    AppendNameCell(line_, rec, 14, 31);
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
        AppendDateTime(line_, PackedTimeFields(rec.Time), options_.regional);
    }
    return line_;
}

QString DetailLineText(const TSearchRec& rec, const ListingOptions& options) {
    DetailLineWriter writer(options);
    return writer.line(rec);
}

}  // namespace tabulist
