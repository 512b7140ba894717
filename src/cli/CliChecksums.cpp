// tabulist-list's checksum progress and its comparison with a catalogue.
#include "cli/CliChecksums.h"

#include <cerrno>

#include "cli/StreamSink.h"
#include "listing/Catalogue.h"
#include "listing/ChecksumQueue.h"
#include "listing/Comparison.h"
#include "listing/ComparisonReport.h"
#include "platform/Terminal.h"

namespace tabulist {

namespace {

constexpr int kExitSame = 0;
constexpr int kExitChanged = 1;
constexpr int kExitTrouble = 2;

}  // namespace

TerminalProgress::TerminalProgress(FILE* err)
    : err_(err), terminal_(StandardErrorIsTerminal()), started_(std::chrono::steady_clock::now()) {}

void TerminalProgress::show(int64_t done, int64_t total) {
    if (!terminal_) return;
    const std::chrono::duration<double> seconds = std::chrono::steady_clock::now() - started_;
    const QString text = ChecksumProgressText(done, total, seconds.count());
    std::fprintf(err_, "\r%s\033[K", text.toLocal8Bit().constData());
    std::fflush(err_);
    shown_ = true;
}

void TerminalProgress::clear() {
    if (!shown_) return;
    std::fputs("\r\033[K", err_);
    std::fflush(err_);
    shown_ = false;
}

void AddChecksumReports(ListingHooks& hooks, TerminalProgress& progress, bool& failed,
                        const MessageOut& report) {
    hooks.checksumProgress = [&progress](int64_t done, int64_t total) {
        progress.show(done, total);
    };
    hooks.unreadableFile = [&progress, &failed, report](const QString& path,
                                                        const QString& message) {
        progress.clear();
        failed = true;
        report(QStringLiteral("cannot read %1: %2").arg(path, message));
    };
}

int CompareWithCatalogue(const CliArguments& arguments, ListingOptions options, FILE* out,
                         FILE* err, const MessageOut& report) {
    bool trouble = false;
    try {
        const Catalogue catalogue = Catalogue::read(arguments.catalogue);
        if (arguments.checksum && catalogue.checksum() != arguments.checksum) {
            report(QStringLiteral("--checksum %1 differs from the catalogue's %2")
                       .arg(ChecksumName(*arguments.checksum),
                            catalogue.checksum() ? ChecksumName(*catalogue.checksum())
                                                 : QStringLiteral("none")));
            return kExitTrouble;
        }
        options.checksum = catalogue.checksum();
        CatalogueComparison comparison(catalogue);
        TerminalProgress progress(err);
        ListingHooks hooks;
        hooks.unreadableFolder = [&](const QString& folder, const QString& message) {
            trouble = true;
            report(QStringLiteral("cannot read %1: %2").arg(folder, message));
        };
        AddChecksumReports(hooks, progress, trouble, report);
        ListEntries(options, comparison, hooks);
        progress.clear();
        const std::vector<Change> changes = comparison.finish();
        if (arguments.format) {
            const QByteArray records =
                ChangeRecords(changes, arguments.format == DataFormat::Json, arguments.lf);
            if (std::fwrite(records.constData(), 1, size_t(records.size()), out) !=
                    size_t(records.size()) ||
                std::fflush(out) != 0)
                throw InOutErrorFromErrno(errno);
        } else {
            StreamSink sink(out, arguments.lf);
            try {
                WriteChangeLines(changes, sink);
                sink.flush();
            } catch (...) {
                sink.flushAfterError();
                throw;
            }
        }
        if (trouble) return kExitTrouble;
        return changes.empty() ? kExitSame : kExitChanged;
    } catch (const TabulistError& e) {
        report(e.message());
        return kExitTrouble;
    }
}

}  // namespace tabulist
