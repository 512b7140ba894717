#pragma once

#include <QString>

#include "listing/LineBuffer.h"
#include "platform/Entries.h"

namespace tabulist {

// Length in characters: a character outside the basic plane is one, not two.
int CharCount(const QString& text);

// The entry's name, in brackets when it is a directory (the bit, whatever else is set).
QString BracketedName(const TSearchRec& rec);

// The bracketed name followed by spaces: up to shortWidth characters for names of at most
// shortMax characters, up to 26 for names of at most 19; longer names stay as they are.
void AppendNameCell(LineBuffer& out, const TSearchRec& rec, int shortMax, int shortWidth);

}  // namespace tabulist
