// Lists a directory of 100,000 files in the main window on the offscreen platform and
// reports the time from the request to the finished listing, and the clock's ticks
// meanwhile. With "tree", lists a tree of 500 folders of 200 files each (ten subfolders to a
// folder) with subfolders on instead.
// Usage: bench_window_listing [file count | tree]
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Clock.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "listing/ListingEngine.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"

int main(int argc, char** argv) {
    using namespace tabulist;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const bool tree = argc > 1 && std::strcmp(argv[1], "tree") == 0;
    const int count = tree ? 100000 : argc > 1 ? std::atoi(argv[1]) : 100000;
    TApplication app(argc, argv);
    SetErrorDisplayHook([](const QString&, const QString& text) {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    });

    QTemporaryDir programDir, listed;
    // Set to a directory to list it instead of making one (for profiling the listing alone).
    const QString given = qEnvironmentVariable("TABULIST_BENCH_DIR");
    std::vector<QByteArray> folders{listed.path().toLocal8Bit()};
    for (int f = 0; tree && given.isEmpty() && f < 500; ++f) {
        folders.push_back(folders[size_t(f / 10)] + "/folder" + QByteArray::number(f));
        if (::mkdir(folders.back().constData(), 0755) != 0) return 1;
    }
    for (int i = 0; given.isEmpty() && i < count; ++i) {
        const QByteArray& folder = tree ? folders[size_t(1 + i / 200)] : folders[0];
        const QByteArray name = folder + "/file-" + QByteArray::number(i);
        const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0 || ::ftruncate(fd, i) != 0) return 1;
        ::close(fd);
    }
    const QString directory = given.isEmpty() ? listed.path() : given;
    if (!QDir::setCurrent(directory)) return 1;

    TSavedOptions record{};
    record.ShowAttributes = record.ShowSize = record.ShowDate = record.ShowSearchOptions = 1;
    record.FooterFileCount = record.FooterTotalSize = 1;
    record.setFontName(QStringLiteral("DejaVu Sans Mono"));
    record.FontSize = 10;
    record.FontColor = int32_t(0x80000008u);
    record.BackgroundColor = int32_t(0x80000005u);
    StoreOptionsRecord(programDir.path() + QStringLiteral("/Tabulist.sav"), record);
    SetProgramDirectory(programDir.path());

    int ticks = 0;
    SetCurrentDateTimeSource([&] {
        ++ticks;
        return QDateTime::currentDateTime();
    });
    CreateWindowSet();
    THaupt& window = *Windows().Haupt;
    window.resize(1280, 800);
    window.show();
    if (tree) window.SubfoldersBox->setChecked(true);  // subfolders on: lists once already
    QCoreApplication::processEvents();

    // The engine alone into a sink that only counts, for comparison.
    struct CountingSink : ListingSink {
        int lines = 0;
        void clear() override { lines = 0; }
        void appendLine(const QString&) override { ++lines; }
    } counting;
    ListingOptions options;
    options.directory = directory;
    options.subfolders = tree;
    QElapsedTimer engineClock;
    engineClock.start();
    BuildListingReport(options, counting);
    std::printf("engine alone: %d lines in %.3f s\n", counting.lines,
                engineClock.nsecsElapsed() / 1e9);

    double best = 1e9;
    for (int run = 0; run < 3; ++run) {
        ticks = 0;
        QElapsedTimer clock;
        clock.start();
        window.CheckBox6->click();  // one request, one listing
        const double seconds = clock.nsecsElapsed() / 1e9;
        best = std::min(best, seconds);
        std::printf("run %d: %d entries listed in %.3f s, %d lines, clock ticks meanwhile: %d\n",
                    run + 1, count, seconds, window.Memo1->document()->blockCount() - 1, ticks);
    }
    std::printf("best: %.3f s (target %s)\n", best, tree ? "1.5 s" : "0.6 s");
    DestroyWindowSet();
    return 0;
}
