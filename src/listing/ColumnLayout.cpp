// Names set in columns for listings of two to six columns.
#include "listing/ColumnLayout.h"

#include "listing/NameCell.h"
#include "listing/Rendering.h"

namespace tabulist {

QString ColumnCell(const TSearchRec& rec) {
    QString cell = BracketedName(rec);
    FillName(cell, 9, 36);
    return cell;
}

bool ColumnLayout::add(const TSearchRec& rec) {
    if (!line_.isEmpty()) line_ += QLatin1Char('\t');
    AppendNameCell(line_, rec, 9, 36);
    ++count_;
    return count_ == columnsPerRow_;
}

void ColumnLayout::nextLine() {
    count_ = 0;
    ReuseLine(line_);
}

QString ColumnLayout::takeLine() {
    count_ = 0;
    QString line;
    line.swap(line_);
    return line;
}

}  // namespace tabulist
