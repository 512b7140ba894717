// Name cells of the column listings, padded by characters.
#include "listing/NameCell.h"

namespace tabulist {

int CharCount(const QString& text) {
    int count = 0;
    for (const QChar c : text) {
        if (!c.isLowSurrogate()) ++count;
    }
    return count;
}

QString BracketedName(const TSearchRec& rec) {
    if ((rec.Attr & AttrDirectory) == 0) return rec.Name;
    QString text;
    text.reserve(rec.Name.size() + 2);
    text += QLatin1Char('[');
    text += rec.Name;
    text += QLatin1Char(']');
    return text;
}

namespace {

void AppendFill(LineBuffer& text, int length, int shortMax, int shortWidth) {
    constexpr int kMiddleMax = 19;
    constexpr int kMiddleWidth = 26;
    int width = 0;
    if (length <= shortMax) {
        width = shortWidth;
    } else if (length <= kMiddleMax) {
        width = kMiddleWidth;
    }
    text.fill(QLatin1Char(' '), width - length);
}

}  // namespace

void AppendNameCell(LineBuffer& out, const TSearchRec& rec, int shortMax, int shortWidth) {
    const bool bracketed = (rec.Attr & AttrDirectory) != 0;
    if (bracketed) out += QLatin1Char('[');
    out += rec.Name;
    if (bracketed) out += QLatin1Char(']');
    AppendFill(out, CharCount(rec.Name) + (bracketed ? 2 : 0), shortMax, shortWidth);
}

}  // namespace tabulist
