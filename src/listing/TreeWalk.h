#pragma once

#include "listing/ListingEngine.h"

namespace tabulist {

// The listing of a folder and its subfolders: the header, the starting folder's body, then
// depth first one section per subfolder (an empty line, a path line, an empty line, its
// entries), then the footer counting the whole tree. Only the folders on the way down are
// held, each with the names of its subfolders still to be searched, so memory grows with the
// widest folder and the depth, never with the size of the tree.
ListingResult BuildTreeReport(const ListingOptions& options, ListingSink& sink,
                              const ListingHooks& hooks);

// The entries of the same walk, in the same order, each with its folder relative to the
// starting one; no header, section or footer lines, no "." and "..".
ListingResult ListTreeEntries(const ListingOptions& options, EntrySink& entries,
                              const ListingHooks& hooks);

}  // namespace tabulist
