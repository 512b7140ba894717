#pragma once

#include <cstdio>
#include <functional>

#include "cli/CliArguments.h"
#include "listing/ChecksumListing.h"
#include "listing/ListingEngine.h"

namespace tabulist {

class ChecksumQueue;

// The progress of the checksums on standard error, one line redrawn in place and cleared at
// the end; nothing when standard error is not a terminal.
class TerminalProgress {
public:
    TerminalProgress(ChecksumQueue& queue, FILE* err);
    ~TerminalProgress();  // clears the line
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    // A message to print: the progress line is cleared first and drawn again at the next tick.
    void clear();

private:
    FILE* err_;
    bool shown_ = false;
};

// The text listing with each file's checksum as the last field of its detail line.
void ListWithChecksums(const ListingOptions& options, ChecksumAlgorithm algorithm,
                       ListingSink& sink, const ListingHooks& hooks, FILE* err,
                       const UnreadableFile& unreadable);

// The entries into out, each with its file's checksum.
ListingResult ListEntriesWithChecksums(const ListingOptions& options, ChecksumAlgorithm algorithm,
                                       EntrySink& out, const ListingHooks& hooks, FILE* err,
                                       const UnreadableFile& unreadable);

// --compare: the catalogue against the folder as options list it; the report to out.
// Returns the exit status: 0 nothing changed, 1 something did, 2 trouble.
int CompareWithCatalogue(const CliArguments& arguments, const ListingOptions& options, FILE* out,
                         FILE* err);

}  // namespace tabulist
