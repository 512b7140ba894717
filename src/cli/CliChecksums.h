#pragma once

#include <QString>
#include <chrono>
#include <cstdio>
#include <functional>

#include "cli/CliArguments.h"
#include "listing/ListingEngine.h"

namespace tabulist {

// The checksums' progress on standard error: one line redrawn in place and cleared at the
// end; nothing when standard error is not a terminal.
class TerminalProgress {
public:
    explicit TerminalProgress(FILE* err);
    ~TerminalProgress() { clear(); }
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    void show(int64_t done, int64_t total);
    void clear();  // before a message, and at the end

private:
    FILE* err_;
    bool terminal_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point started_;
};

using MessageOut = std::function<void(const QString& message)>;

// The checksums' hooks of a listing: progress on the terminal, and "cannot read PATH:
// MESSAGE" for a file that cannot be read, which sets failed.
void AddChecksumReports(ListingHooks& hooks, TerminalProgress& progress, bool& failed,
                        const MessageOut& report);

// --compare: the catalogue against the folder as options list it (with the catalogue's
// checksum); the report to out. Returns the exit status: 0 nothing changed, 1 something
// did, 2 trouble (the catalogue, a folder or a file that cannot be read).
int CompareWithCatalogue(const CliArguments& arguments, ListingOptions options, FILE* out,
                         FILE* err, const MessageOut& report);

}  // namespace tabulist
