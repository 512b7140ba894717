// tabulist-list's run: parse, compose the options, check the directory, list, report.
#include "cli/CliRun.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdio>

#include "cli/CliArguments.h"
#include "cli/CliChecksums.h"
#include "cli/StreamSink.h"
#include "listing/ListingEngine.h"
#include "listing/formats/DataFile.h"
#include "listing/formats/DataFormats.h"
#include "platform/DriveTable.h"
#include "platform/Errors.h"
#include "platform/InterruptCleanup.h"
#include "platform/PathCheck.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"

namespace tabulist {

namespace {

constexpr int kExitListed = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

void Report(FILE* err, const QString& message) {
    std::fprintf(err, "tabulist-list: %s\n", message.toLocal8Bit().constData());
}

// Empty when the path names a directory, else why it cannot be listed.
QString DirectoryProblem(const QString& path, const QByteArray& raw) {
    const PathCheck check = CheckPath(raw);
    switch (check.kind) {
        case PathCheck::Unreachable:
            return QStringLiteral("cannot list '%1': %2").arg(path, check.reason);
        case PathCheck::NotDirectory:
            return QStringLiteral("cannot list '%1': not a directory").arg(path);
        case PathCheck::Directory:
            break;
    }
    return {};
}

// The directory as the file system names it: decoding a name that is not UTF-8 loses
// bytes, so the argument's own bytes are used to reach it. A relative path stays relative:
// below a working directory deeper than PATH_MAX no absolute path can be opened.
QByteArray RawDirectory(const CliArguments& arguments, const QByteArrayList& rawArgs) {
    if (arguments.directory.isEmpty()) return QByteArrayLiteral(".");
    for (auto raw = rawArgs.crbegin(); raw != rawArgs.crend(); ++raw)
        if (QString::fromLocal8Bit(*raw) == arguments.directory) return *raw;
    return QFile::encodeName(arguments.directory);
}

ListingContext ContextOf(const ListingOptions& options) {
    return {options.directory, QDateTime::currentDateTime(), QStringLiteral("tabulist-list"),
            QStringLiteral(TABULIST_VERSION), options.checksum};
}

// While a file is written, an interrupt removes its temporary; afterwards it no longer does.
struct InterruptCleanup {
    explicit InterruptCleanup(const QByteArray& temporary) { RemoveOnInterrupt(temporary); }
    ~InterruptCleanup() { ClearInterruptCleanup(); }
};

void ListData(const CliArguments& arguments, const ListingOptions& options, FILE* out,
              const ListingHooks& hooks) {
    DataOptions data;
    data.lf = arguments.lf;
    if (!arguments.output.isEmpty()) {
        DataFile file(arguments.output, *arguments.format, data);
        file.open();
        InterruptCleanup cleanup(file.temporaryName());
        file.write(options, hooks, ContextOf(options));
        return;
    }
    const auto write = [out](const QByteArray& bytes) {
        if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out) != size_t(bytes.size()))
            throw InOutErrorFromErrno(errno);
    };
    try {
        WriteListingData(options, *arguments.format, data, write, hooks, ContextOf(options));
    } catch (...) {
        // What was written, a closed JSON array included, comes before the message.
        std::fflush(out);
        throw;
    }
    if (std::fflush(out) != 0) throw InOutErrorFromErrno(errno);
}

// The text listing into --output's file, which gets it only when it is complete.
void ListTextToFile(const CliArguments& arguments, const ListingOptions& options,
                    const ListingHooks& hooks) {
    ReplacementFile file(arguments.output);
    const auto fail = [&] {
        throw EDataWriteError(EDataWriteError::reasonOf(file.Error()), arguments.output);
    };
    if (!file.Open(false)) fail();
    InterruptCleanup cleanup(file.TemporaryName());
    StreamSink sink(
        [&](const char* data, size_t size) {
            if (!file.Write(data, qint64(size))) fail();
        },
        arguments.lf);
    BuildListingReport(options, sink, hooks);
    sink.flush();
    if (!file.Commit()) fail();
}

int List(const CliArguments& arguments, FILE* out, FILE* err, const QByteArrayList& rawArgs) {
    TSavedOptions record{};
    if (!arguments.settingsFile.isEmpty()) LoadOptionsRecord(arguments.settingsFile, record);
    ListingOptions options = ComposeOptions(
        arguments, arguments.settingsFile.isEmpty() ? nullptr : &record, QDate::currentDate());

    QString given = arguments.directory.isEmpty() ? QDir::currentPath() : arguments.directory;
    if (given.isEmpty()) given = QStringLiteral(".");  // a working directory too deep to name
    const QByteArray raw = RawDirectory(arguments, rawArgs);
    if (const QString problem = DirectoryProblem(given, raw); !problem.isEmpty()) {
        Report(err, problem);
        return arguments.catalogue.isEmpty() ? kExitFailed : kExitUsage;
    }
    options.directory = QDir(given).absolutePath();
    if (!IsAbsolutePath(options.directory.toUtf8())) options.directory = given;
    options.rawDirectory = raw;
    const DriveTable drives = DriveTable::system();
    if (const Drive* drive = drives.driveOf(options.directory)) {
        options.driveLetter = drive->letter;
        options.driveText = DriveTable::rowText(*drive, TextCase::LowerCase);
    }
    options.regional = RegionalSettings::fromLocale();
    const MessageOut report = [err](const QString& message) { Report(err, message); };
    if (!arguments.catalogue.isEmpty())
        return CompareWithCatalogue(arguments, options, out, err, report);
    if (options.checksum && !arguments.format && options.columnIndex >= 1 &&
        options.columnIndex <= 5) {
        Report(err, QStringLiteral("--checksum adds a field to detail lines, not to columns"));
        return kExitUsage;
    }

    // As ls -R does: a subfolder that cannot be read is reported, the listing goes on, and
    // the exit status tells afterwards.
    bool unreadable = false;
    ListingHooks hooks;
    hooks.unreadableFolder = [&](const QString& folder, const QString& message) {
        unreadable = true;
        Report(err, QStringLiteral("cannot read %1: %2").arg(folder, message));
    };
    TerminalProgress progress(err);
    AddChecksumReports(hooks, progress, unreadable, report);
    for (const QString& option : IgnoredOptions(arguments)) {
        Report(err, QStringLiteral("note: --format %1 ignores %2")
                        .arg(QLatin1String(DataFormatOf(*arguments.format).name), option));
    }
    if (arguments.format) {
        ListData(arguments, options, out, hooks);
        return unreadable ? kExitFailed : kExitListed;
    }
    if (!arguments.output.isEmpty()) {
        ListTextToFile(arguments, options, hooks);
        return unreadable ? kExitFailed : kExitListed;
    }
    StreamSink sink(out, arguments.lf);
    try {
        BuildListingReport(options, sink, hooks);
        sink.flush();
    } catch (...) {
        // The lines written before the error stay written, and come before its message.
        sink.flushAfterError();
        throw;
    }
    return unreadable ? kExitFailed : kExitListed;
}

}  // namespace

int RunCli(const QStringList& args, FILE* out, FILE* err, const QByteArrayList& rawArgs) {
    CliArguments arguments;
    try {
        arguments = ParseCliArguments(args);
    } catch (const UsageError& e) {
        Report(err, e.message());
        std::fputs("Try 'tabulist-list --help' for more information.\n", err);
        return kExitUsage;
    }
    switch (arguments.action) {
        case CliArguments::Action::Help:
            std::fputs(CliUsageText().toLocal8Bit().constData(), out);
            return std::fflush(out) == 0 ? kExitListed : kExitFailed;
        case CliArguments::Action::Version:
            std::fprintf(out, "tabulist-list %s\n", TABULIST_VERSION);
            return std::fflush(out) == 0 ? kExitListed : kExitFailed;
        case CliArguments::Action::List:
            break;
    }
    try {
        return List(arguments, out, err, rawArgs);
    } catch (const TabulistError& e) {
        Report(err, e.message());
        return arguments.catalogue.isEmpty() ? kExitFailed : kExitUsage;
    }
}

}  // namespace tabulist
