// tabulist-list's checksums and its comparison with a catalogue.
#include "cli/CliChecksums.h"

#include <chrono>

#include "cli/StreamSink.h"
#include "listing/Catalogue.h"
#include "listing/ChecksumQueue.h"
#include "listing/Comparison.h"
#include "listing/ComparisonReport.h"
#include "platform/Terminal.h"
#include "platform/WorkerPool.h"

namespace tabulist {

namespace {

constexpr int kExitSame = 0;
constexpr int kExitChanged = 1;
constexpr int kExitTrouble = 2;

void Report(FILE* err, const QString& message) {
    std::fprintf(err, "tabulist-list: %s\n", message.toLocal8Bit().constData());
}

// Runs list with a checksum listing, handing on what was listed also when it fails.
template <typename Listing, typename List>
void RunChecksummed(Listing& listing, List list) {
    try {
        list();
    } catch (...) {
        try {
            listing.finish();
        } catch (...) {
            // The listing's own error is the one to report.
        }
        throw;
    }
    listing.finish();
}

}  // namespace

TerminalProgress::TerminalProgress(ChecksumQueue& queue, FILE* err) : err_(err) {
    if (!StandardErrorIsTerminal()) return;
    const auto started = std::chrono::steady_clock::now();
    queue.onTick(
        [this, &queue, started] {
            const std::chrono::duration<double> seconds =
                std::chrono::steady_clock::now() - started;
            const QString text =
                ChecksumProgressText(queue.bytesDone(), queue.bytesQueued(), seconds.count());
            std::fprintf(err_, "\r%s\033[K", text.toLocal8Bit().constData());
            std::fflush(err_);
            shown_ = true;
        },
        std::chrono::milliseconds(250));
}

TerminalProgress::~TerminalProgress() { clear(); }

void TerminalProgress::clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", err_);
    std::fflush(err_);
    shown_ = false;
}

void ListWithChecksums(const ListingOptions& options, ChecksumAlgorithm algorithm,
                       ListingSink& sink, const ListingHooks& hooks, FILE* err,
                       const UnreadableFile& unreadable) {
    ChecksumQueue queue(algorithm, WorkerPool::shared());
    TerminalProgress progress(queue, err);
    ChecksumLines lines(sink, queue, options, [&](const QString& path, const QString& message) {
        progress.clear();
        unreadable(path, message);
    });
    RunChecksummed(lines, [&] { BuildListingReport(options, lines, lines.hooks(hooks)); });
}

ListingResult ListEntriesWithChecksums(const ListingOptions& options, ChecksumAlgorithm algorithm,
                                       EntrySink& out, const ListingHooks& hooks, FILE* err,
                                       const UnreadableFile& unreadable) {
    ChecksumQueue queue(algorithm, WorkerPool::shared());
    TerminalProgress progress(queue, err);
    ChecksumEntries entries(out, queue, options, [&](const QString& path, const QString& message) {
        progress.clear();
        unreadable(path, message);
    });
    ListingResult result;
    RunChecksummed(entries, [&] { result = ListEntries(options, entries, entries.hooks(hooks)); });
    return result;
}

int CompareWithCatalogue(const CliArguments& arguments, const ListingOptions& options, FILE* out,
                         FILE* err) {
    bool trouble = false;
    try {
        const Catalogue catalogue = Catalogue::read(arguments.catalogue);
        if (arguments.checksum && catalogue.checksum() != arguments.checksum) {
            Report(err, QStringLiteral("--checksum %1 differs from the catalogue's %2")
                            .arg(ChecksumName(*arguments.checksum),
                                 catalogue.checksum() ? ChecksumName(*catalogue.checksum())
                                                      : QStringLiteral("none")));
            return kExitTrouble;
        }
        CatalogueComparison comparison(catalogue);
        ListingHooks hooks;
        hooks.unreadableFolder = [&](const QString& folder, const QString& message) {
            trouble = true;
            Report(err, QStringLiteral("cannot read %1: %2").arg(folder, message));
            QString relative = folder.mid(options.directory.size());
            while (relative.startsWith(QLatin1Char('/'))) relative.remove(0, 1);
            comparison.unreadableFolder(relative);
        };
        const UnreadableFile unreadable = [&](const QString& path, const QString& message) {
            trouble = true;
            Report(err, QStringLiteral("cannot read %1: %2").arg(path, message));
        };
        if (catalogue.checksum())
            ListEntriesWithChecksums(options, *catalogue.checksum(), comparison, hooks, err,
                                     unreadable);
        else
            ListEntries(options, comparison, hooks);
        const std::vector<Change> changes = comparison.finish();
        StreamSink sink(out, arguments.lf);
        try {
            WriteChangeLines(changes, sink);
            sink.flush();
        } catch (...) {
            sink.flushAfterError();
            throw;
        }
        if (trouble) return kExitTrouble;
        return changes.empty() ? kExitSame : kExitChanged;
    } catch (const TabulistError& e) {
        Report(err, e.message());
        return kExitTrouble;
    }
}

}  // namespace tabulist
