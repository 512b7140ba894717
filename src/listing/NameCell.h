#pragma once

#include <QString>

#include "platform/Entries.h"

namespace tabulist {

// Length in characters: a character outside the basic plane is one, not two.
int CharCount(const QString& text);

// The entry's name, in brackets when it is a directory (the bit, whatever else is set).
QString BracketedName(const TSearchRec& rec);

// Appends spaces up to shortWidth for texts of at most shortMax characters, up to 26 for
// texts of at most 19; longer texts stay as they are.
void FillName(QString& text, int shortMax, int shortWidth);

// BracketedName then FillName, appended to out without a text of its own.
void AppendNameCell(QString& out, const TSearchRec& rec, int shortMax, int shortWidth);

}  // namespace tabulist
