// Text laid out line by line on printer pages.
#include "output/PrinterTextDevice.h"

#include <QTextBoundaryFinder>

#include "output/TPrinter.h"

namespace tabulist {

PrinterTextDevice::PrinterTextDevice(PrintDocument& printer) : printer_(printer) {}

PrinterTextDevice::PrinterTextDevice() : PrinterTextDevice(Printer()) {}

void PrinterTextDevice::Open() {
    printer_.StartDocument();
    open_ = true;
    buffer_.clear();
    posX_ = 0;
    posY_ = 0;
    pageWidth_ = printer_.PrintableWidth();
    pageHeight_ = printer_.PrintableHeight();
    lineHeight_ = 0;
}

namespace {

// The grapheme boundary at or before position (the start of the cluster holding it).
qsizetype ClusterStart(QStringView text, qsizetype position) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    finder.setPosition(position);
    if (finder.isAtBoundary()) return position;
    const qsizetype previous = finder.toPreviousBoundary();
    return previous < 0 ? 0 : previous;
}

// The end of the first grapheme cluster.
qsizetype FirstClusterEnd(QStringView text) {
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text.data(), text.size());
    const qsizetype next = finder.toNextBoundary();
    return next <= 0 ? text.size() : next;
}

}  // namespace

void PrinterTextDevice::Write(QStringView text) {
    for (const QChar c : text) {
        buffer_.append(c);
        if (buffer_.size() >= BufferSize) {
            // The last cluster may go on with the next character (an accent after its letter):
            // it stays in the buffer so that a run never splits it.
            const qsizetype keep = ClusterStart(buffer_, buffer_.size() - 1);
            if (keep == 0) {
                Flush();
            } else {
                const QString chunk = buffer_.left(keep);
                buffer_.remove(0, keep);
                LayoutChunk(chunk);
            }
        }
    }
}

void PrinterTextDevice::WriteLine(QStringView line) {
    Write(line);
    Write(u"\r\n");
    Flush();
}

void PrinterTextDevice::Flush() {
    if (buffer_.isEmpty()) return;
    const QString chunk = buffer_;
    buffer_.clear();
    LayoutChunk(chunk);
}

void PrinterTextDevice::Close() {
    Flush();
    open_ = false;
    printer_.FinishDocument();
}

void PrinterTextDevice::Abandon() {
    buffer_.clear();
    open_ = false;
    printer_.AbandonDocument();
}

void PrinterTextDevice::LayoutChunk(QStringView chunk) {
    qsizetype runStart = 0;
    for (qsizetype i = 0; i < chunk.size(); ++i) {
        const char16_t c = chunk[i].unicode();
        if (c != 9 && c != 10 && c != 12 && c != 13) continue;
        PlaceRun(chunk.sliced(runStart, i - runStart));
        runStart = i + 1;
        if (c == 9) {
            const int32_t stop = 8 * printer_.Surface().AverageCharWidth();
            if (stop > 0) posX_ = stop * ((posX_ + 1) / stop + 1);
            if (posX_ > pageWidth_) AdvanceLine();
        } else if (c == 10) {
            AdvanceLine();
        } else if (c == 12) {
            AdvancePage();
        }
    }
    PlaceRun(chunk.sliced(runStart));
}

qsizetype PrinterTextDevice::FittingLength(QStringView run, QSize& extent) {
    PrintSurface& surface = printer_.Surface();
    qsizetype k = run.size();
    extent = surface.TextExtent(run.first(k));
    while (k > 0 && posX_ + extent.width() > pageWidth_) {
        // Back by one whole cluster: a letter keeps its accents, a surrogate pair its halves.
        k = ClusterStart(run, k - 1);
        extent = surface.TextExtent(run.first(k));
    }
    if (k == 0 && posX_ == 0 && !run.isEmpty()) {
        // Not even one character fits on an empty line: it goes there all the same, or the
        // layout would advance lines and pages without end.
        k = FirstClusterEnd(run);
        extent = surface.TextExtent(run.first(k));
    }
    return k;
}

void PrinterTextDevice::PlaceRun(QStringView run) {
    while (!run.isEmpty()) {
        QSize extent;
        const qsizetype k = FittingLength(run, extent);
        if (extent.height() > lineHeight_) lineHeight_ = extent.height() + 2;
        if (k > 0) printer_.Surface().TextOut(posX_, posY_, run.first(k));
        run = run.sliced(k);
        if (!run.isEmpty())
            AdvanceLine();
        else
            posX_ += extent.width();
    }
}

void PrinterTextDevice::AdvanceLine() {
    posX_ = 0;
    if (lineHeight_ == 0)
        posY_ += printer_.Surface().CellHeight();
    else
        posY_ += lineHeight_;
    if (posY_ > pageHeight_ - 2 * lineHeight_) AdvancePage();
    lineHeight_ = 0;
}

void PrinterTextDevice::AdvancePage() {
    posX_ = 0;
    posY_ = 0;
    printer_.StartNextPage();
}

}  // namespace tabulist
