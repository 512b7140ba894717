// Names set in columns for listings of two to six columns.
#include "listing/ColumnLayout.h"

#include "listing/NameCell.h"
#include "listing/Rendering.h"

namespace tabulist {

QString ColumnCell(const TSearchRec& rec) {
    LineBuffer cell;
    AppendNameCell(cell, rec, 9, 36);
    return cell.take();
}

bool ColumnLayout::add(const TSearchRec& rec) {
    if (!line_.isEmpty()) line_ += QLatin1Char('\t');
    AppendNameCell(line_, rec, 9, 36);
    ++count_;
    return count_ == columnsPerRow_;
}

void ColumnLayout::nextLine() {
    count_ = 0;
    line_.clear();
}

QString ColumnLayout::takeLine() {
    count_ = 0;
    return line_.take();
}

}  // namespace tabulist
