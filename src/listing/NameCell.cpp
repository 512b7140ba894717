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

void FillName(QString& text, int shortMax, int shortWidth) {
    constexpr int kMiddleMax = 19;
    constexpr int kMiddleWidth = 26;
    const int length = CharCount(text);
    int width = 0;
    if (length <= shortMax) {
        width = shortWidth;
    } else if (length <= kMiddleMax) {
        width = kMiddleWidth;
    }
    if (length < width) text.append(QString(width - length, QLatin1Char(' ')));
}

}  // namespace tabulist
