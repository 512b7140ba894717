// One entry's detail line: name, attributes, size and date fields.
#include "listing/DetailLine.h"

#include "listing/EntryFilter.h"
#include "listing/NameCell.h"
#include "listing/Rendering.h"

namespace tabulist {

QString AttributeLetters(int32_t attr) {
    const AttributeFlags flags = ClassifyAttributes(attr);
    QString letters;
    if (flags.archive) letters += QLatin1String("A ");
    if (flags.readOnly) letters += QLatin1String("R ");
    if (flags.hidden) letters += QLatin1String("H ");
    if (flags.system) letters += QLatin1String("S ");
    return letters;
}

QString DetailSizeText(int64_t size, int unit, bool showUnit) {
    QString text;
    switch (unit) {
        case 0:
            text = IntegerText(size, 9);
            break;
        case 1:
        case 2:
        case 3: {
            // One division by the unit's power of 1024, unlike the header and footer.
            const double divisor = static_cast<double>(int64_t{1} << (10 * unit));
            text = DecimalComma(FixedText(static_cast<double>(size) / divisor, 9, 3));
            break;
        }
        default:
            return text;
    }
    if (showUnit) text += UnitSuffix(unit);
    return text;
}

QString DetailLineText(const TSearchRec& rec, const ListingOptions& options) {
    QString line = BracketedName(rec);
    line.reserve(80);
    FillName(line, 14, 31);
    if (options.showAttributes) {
        line += QLatin1Char('\t');
        line += AttributeLetters(rec.Attr);
    }
    if (options.showSize) {
        line += QLatin1Char('\t');
        line += DetailSizeText(rec.Size, options.sizeUnitIndex, options.showUnit);
    }
    if (options.showDate) {
        line += QLatin1Char('\t');
        line += DateTimeText(PackedTimeToDateTime(rec.Time), options.regional);
    }
    return line;
}

}  // namespace tabulist
