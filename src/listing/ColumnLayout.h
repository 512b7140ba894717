#pragma once

#include <QString>

#include "listing/LineBuffer.h"
#include "platform/Entries.h"

namespace tabulist {

// Gathers name cells into lines of columnsPerRow cells separated by tabs.
class ColumnLayout {
public:
    explicit ColumnLayout(int columnsPerRow) : columnsPerRow_(columnsPerRow) {}

    // Adds the entry's cell; true when that completed a line, which takeLine() then returns.
    bool add(const TSearchRec& rec);
    QString takeLine();
    // Starts the next line in the storage of the one just completed (read it by pending()).
    void nextLine();
    // The line being filled: the body's last line, written even when it is empty.
    const QString& pending() { return line_.text(); }

private:
    int columnsPerRow_;
    int count_ = 0;
    LineBuffer line_;
};

// A name cell of the multi-column body: the bracketed name filled to 36 or 26 characters.
QString ColumnCell(const TSearchRec& rec);

}  // namespace tabulist
