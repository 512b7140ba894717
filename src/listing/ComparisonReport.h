#pragma once

#include <QString>
#include <vector>

#include "listing/Comparison.h"
#include "listing/ListingEngine.h"

namespace tabulist {

// One line per change ("added: PATH", "removed: PATH", "changed: PATH (size A -> B,
// modified A -> B, checksum differs)", "moved: OLD -> NEW"), then the counts.
QString ChangeLine(const Change& change);
QString ChangeSummary(const ChangeCounts& counts);
void WriteChangeLines(const std::vector<Change>& changes, ListingSink& sink);

// The changes as records (csv: a header row, then lines ended by CR LF or, lf, LF; json: an
// array of objects): change (added, removed, changed, moved), path, old_path (a move's old
// place), old_type, type, old_size, size, old_modified, modified, and differs (what differs of
// a changed entry: type, size, modified, checksum, space-separated). What does not apply is
// empty, in JSON null.
QByteArray ChangeRecords(const std::vector<Change>& changes, bool json, bool lf);

}  // namespace tabulist
