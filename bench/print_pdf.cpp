// Prints a listing of 100,000 lines to the PDF printer through the print command and
// compares it with painting the same lines on pages in a plain loop. Reports both times,
// the peak memory growth of the print, the longest stretch without an event-loop turn (the
// worst Cancel latency), the time after the bar reached 100, and Cancel at 1, 50 and 100 %.
// Usage: bench_print_pdf [line count]
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/OutputCommands/PrintCommand.h"

namespace {

long StatusKb(const char* key) {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(key)) return line.mid(qstrlen(key)).trimmed().split(' ')[0].toLong();
    return -1;
}

// The same lines, the same font and page breaks as the text device, with nothing else.
double PlainLoop(const QStringList& lines, const QFont& font, const QString& file) {
    QElapsedTimer timer;
    timer.start();
    QPrinter reference(QPrinter::HighResolution);
    QPdfWriter writer(file);
    writer.setPageLayout(reference.pageLayout());
    writer.setResolution(reference.resolution());
    QPainter painter(&writer);
    painter.setFont(font);
    const QFontMetrics metrics(font, &writer);
    const int advance = metrics.height() + 2;
    const int height = writer.height();
    const int tab = 8 * metrics.averageCharWidth();
    int y = 0;
    for (const QString& line : lines) {
        int x = 0;
        for (const QString& field : line.split(QLatin1Char('\t'))) {
            if (x > 0) x = tab * ((x + 1) / tab + 1);
            painter.drawText(QPoint(x, y + metrics.ascent()), field);
            x += metrics.horizontalAdvance(field);
        }
        y += advance;
        if (y > height - 2 * advance) {
            writer.newPage();
            y = 0;
        }
    }
    painter.end();
    return timer.elapsed() / 1000.0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace tabulist;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 100000;
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines.append(QStringLiteral("file-%1.txt\t%2\t-a--\t01.02.2024  12:34")
                         .arg(i, 6, 10, QChar('0'))
                         .arg(i * 37));
    QPlainTextEdit memo;
    memo.setFont(QFont("DejaVu Sans Mono", 10));
    memo.setPlainText(lines.join('\n') + '\n');
    QTemporaryDir dir;
    const QString pdf = dir.filePath("bench.pdf");
    PrintCommand::confirmPrintDialog = [&](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    TDrucken progress;
    PrintCommand command;
    auto run = [&] { command.Run(nullptr, &memo, progress, [](const QString&) {}); };

    const double plain = PlainLoop(lines, memo.font(), dir.filePath("plain.pdf"));

    // The longest gap between two turns of the event loop while the print runs.
    QElapsedTimer sinceTurn;
    qint64 longestGap = 0;
    QTimer turns;
    turns.setInterval(0);
    QObject::connect(&turns, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTurn.restart()); });
    QElapsedTimer whole;
    qint64 atHundred = -1;
    auto hundred = QObject::connect(progress.ProgressBar1, &QProgressBar::valueChanged, [&](int v) {
        if (v == 100 && atHundred < 0) atHundred = whole.elapsed();
    });
    {
        QFile reset("/proc/self/clear_refs");
        if (reset.open(QIODevice::WriteOnly)) reset.write("5");
    }
    const long rssBefore = StatusKb("VmRSS:");
    sinceTurn.start();
    turns.start();
    whole.start();
    run();
    const double printed = whole.elapsed() / 1000.0;
    turns.stop();
    const long peak = StatusKb("VmHWM:");
    QObject::disconnect(hundred);

    std::printf("lines: %d\n", count);
    std::printf("plain loop painting the same pages: %.2f s\n", plain);
    std::printf("print command to the PDF printer:   %.2f s (ratio %.2f)\n", printed,
                printed / plain);
    std::printf("after the bar reached 100:          %.3f s\n", printed - atHundred / 1000.0);
    std::printf("peak memory growth:                 %.1f MB\n", (peak - rssBefore) / 1024.0);
    std::printf("longest gap between event-loop turns: %lld ms\n",
                static_cast<long long>(longestGap));

    QFile::remove(pdf);
    for (const int at : {1, 50, 100}) {
        QElapsedTimer sinceClick;
        auto c =
            QObject::connect(progress.ProgressBar1, &QProgressBar::valueChanged, [&, at](int v) {
                if (v == at && !sinceClick.isValid()) {
                    sinceClick.start();
                    progress.BitBtn1->click();
                }
            });
        progress.ProgressBar1->setValue(37);
        run();
        QObject::disconnect(c);
        std::printf("cancel at %3d %%: answered in %.1f ms, PDF left: %s\n", at,
                    sinceClick.nsecsElapsed() / 1e6, QFile::exists(pdf) ? "yes" : "no");
        QFile::remove(pdf);
    }
    return 0;
}
