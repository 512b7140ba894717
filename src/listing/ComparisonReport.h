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

}  // namespace tabulist
