// Long runs in the main window on the offscreen platform: 1,000 listings in a row and
// 100,000 clock ticks, with the resident memory before and after each.
// Usage: bench_hardening_long_runs [listings] [ticks]
#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"

namespace {

long ResidentKiB() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tabulist;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const int listings = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int ticks = argc > 2 ? std::atoi(argv[2]) : 100000;
    TApplication app(argc, argv);
    SetErrorDisplayHook([](const QString&, const QString& text) {
        std::fprintf(stderr, "error: %s\n", qPrintable(text));
    });

    QTemporaryDir programDir, listed;
    for (int i = 0; i < 500; ++i) {
        const QByteArray name = listed.path().toLocal8Bit() + "/file-" + QByteArray::number(i);
        const int fd = ::open(name.constData(), O_CREAT | O_WRONLY, 0644);
        if (fd < 0) return 1;
        ::close(fd);
    }
    if (!QDir::setCurrent(listed.path())) return 1;
    TSavedOptions record{};
    record.ShowAttributes = record.ShowSize = record.ShowDate = record.ShowSearchOptions = 1;
    record.FooterFileCount = record.FooterTotalSize = 1;
    record.setFontName(QStringLiteral("DejaVu Sans Mono"));
    record.FontSize = 10;
    StoreOptionsRecord(programDir.path() + QStringLiteral("/Tabulist.sav"), record);
    SetProgramDirectory(programDir.path());
    CreateWindowSet();
    THaupt& window = *Windows().Haupt;
    window.show();
    QCoreApplication::processEvents();

    // A few rounds first, so that caches filled once do not count as growth.
    for (int i = 0; i < 20; ++i) window.CheckBox6->click();
    const long beforeListings = ResidentKiB();
    for (int i = 0; i < listings; ++i) {
        window.CheckBox6->click();  // one request, one listing of 500 entries
        QCoreApplication::processEvents();
    }
    const long afterListings = ResidentKiB();
    std::printf("%d listings: resident %ld KiB before, %ld KiB after (%+ld KiB)\n", listings,
                beforeListings, afterListings, afterListings - beforeListings);

    for (int i = 0; i < 1000; ++i) window.Timer1Timer();
    const long beforeTicks = ResidentKiB();
    for (int i = 0; i < ticks; ++i) {
        window.Timer1Timer();
        if (i % 100 == 0) QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const long afterTicks = ResidentKiB();
    std::printf("%d clock ticks: resident %ld KiB before, %ld KiB after (%+ld KiB)\n", ticks,
                beforeTicks, afterTicks, afterTicks - beforeTicks);
    DestroyWindowSet();
    return 0;
}
