// TPrinter: the installed printers, the current one and its print job.
#include "output/TPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QStandardPaths>

#include "output/OutputErrors.h"
#include "platform/ReplacementFile.h"

namespace tabulist {

const QString TPrinter::PdfPrinterName = QStringLiteral("Print to PDF");

PrinterPlatform PrinterPlatform::System() {
    return {[] { return QPrinterInfo::availablePrinterNames(); },
            [] { return QPrinterInfo::defaultPrinterName(); }};
}

namespace {

// The folder being listed may well be read-only; the documents folder is the user's own.
QString DefaultPdfFile() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) folder = QDir::homePath();
    return QDir(folder).absoluteFilePath(QStringLiteral("Tabulist.pdf"));
}

bool IsPdf(const TPrinterDevice& device) { return device.Device == TPrinter::PdfPrinterName; }

// The settings a dialog can change, carried from one printer object to another.
void CopyPageSettings(const QPrinter& from, QPrinter& to) {
    to.setPageLayout(from.pageLayout());
    to.setCopyCount(from.copyCount());
    to.setCollateCopies(from.collateCopies());
    to.setColorMode(from.colorMode());
    to.setDuplex(from.duplex());
}

}  // namespace

// The PDF being written: the file it goes to and the writer painting into it.
class PdfOutput {
public:
    explicit PdfOutput(const QString& name) : file(name), device(file) {}
    ReplacementFile file;
    ReplacementDevice device;
    std::unique_ptr<QPdfWriter> writer;
};

// --- drawing surface ---

TPrinterCanvas::TPrinterCanvas(TPrinter& printer) : printer_(printer) {}

void TPrinterCanvas::SetFont(const QFont& font, const QColor& color) {
    font_ = font;
    if (font.pointSizeF() <= 0 && font.pixelSize() > 0) {
        // Pixels of the screen the view shows them on; the printer needs the size in points.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal dpi = screen ? screen->logicalDotsPerInchY() : 96.0;
        font_.setPointSizeF(font.pixelSize() * 72.0 / dpi);
    }
    color_ = color;
}

QSize TPrinterCanvas::TextExtent(QStringView text) {
    printer_.RequireDocument();
    const QFontMetrics metrics(font_, &printer_.MeasuringDevice());
    return {metrics.horizontalAdvance(text.toString()), metrics.height()};
}

int TPrinterCanvas::AverageCharWidth() {
    printer_.RequireDocument();
    return QFontMetrics(font_, &printer_.MeasuringDevice()).averageCharWidth();
}

int TPrinterCanvas::CellHeight() {
    printer_.RequireDocument();
    return QFontMetrics(font_, &printer_.MeasuringDevice()).height();
}

void TPrinterCanvas::TextOut(int x, int y, QStringView text) {
    printer_.RequireDocument();
    printer_.Record(x, y, text);
}

// --- printer list and current printer ---

TPrinter::TPrinter(PrinterPlatform platform) : platform_(std::move(platform)), canvas_(*this) {}

TPrinter::~TPrinter() {
    if (documentOpen_) {
        try {
            FinishDocument();
        } catch (const TabulistError&) {
            // Too late to tell anyone: the program is ending.
        }
    }
}

const QList<TPrinterDevice>& TPrinter::Printers() {
    if (!listed_) {
        for (const QString& name : platform_.installedPrinters())
            if (name != PdfPrinterName) printers_.append({QString(), name, QString()});
        printers_.append({QStringLiteral("pdf"), PdfPrinterName, DefaultPdfFile()});
        listed_ = true;
    }
    return printers_;
}

void TPrinter::ChooseDefaultPrinter() {
    QString name = platform_.defaultPrinter();
    if (name.isEmpty()) name = PdfPrinterName;  // the platform names none
    const QList<TPrinterDevice>& list = Printers();
    for (const TPrinterDevice& device : list) {
        if (device.Device == name) {
            MakeCurrent(device, nullptr);
            return;
        }
    }
    throw NoDefaultPrinterError();
}

int TPrinter::PrinterIndex() {
    if (current_ < 0) ChooseDefaultPrinter();
    return current_;
}

const TPrinterDevice& TPrinter::CurrentDevice() { return Printers()[PrinterIndex()]; }

QPrinter& TPrinter::Settings() {
    PrinterIndex();
    return *settings_;
}

void TPrinter::MakeCurrent(const TPrinterDevice& device, const QPrinter* chosen) {
    if (documentOpen_) throw PrintingInProgressError();
    Printers();
    qsizetype index = -1;
    for (qsizetype i = 0; i < printers_.size(); ++i)
        if (printers_[i].Device == device.Device) index = i;
    if (index < 0) {
        printers_.append(device);
        index = printers_.size() - 1;
    } else if (IsPdf(device) && !device.Port.isEmpty()) {
        printers_[index].Port = device.Port;  // the file the PDF printer writes next
    }
    current_ = static_cast<int>(index);
    if (chosen && chosen == settings_.get()) {
        // A dialog changed the settings in place: every choice it confirmed stays.
        if (IsPdf(printers_[index])) settings_->setOutputFileName(printers_[index].Port);
        return;
    }
    auto settings = std::make_unique<QPrinter>(QPrinter::HighResolution);
    if (IsPdf(printers_[index])) {
        settings->setOutputFormat(QPrinter::PdfFormat);
        settings->setOutputFileName(printers_[index].Port);
    } else {
        settings->setPrinterName(printers_[index].Device);
    }
    if (chosen) CopyPageSettings(*chosen, *settings);
    settings_ = std::move(settings);
    current_ = static_cast<int>(index);
}

QPrinter& TPrinter::DialogPrinter() {
    if (documentOpen_) throw PrintingInProgressError();
    return Settings();
}

void TPrinter::SetPrinter(const QPrinter& chosen) {
    if (documentOpen_) throw PrintingInProgressError();
    TPrinterDevice device;
    if (chosen.outputFormat() == QPrinter::PdfFormat) {
        device = {QStringLiteral("pdf"), PdfPrinterName,
                  chosen.outputFileName().isEmpty() ? DefaultPdfFile() : chosen.outputFileName()};
    } else {
        device = {QString(), chosen.printerName(), QString()};
    }
    MakeCurrent(device, &chosen);
}

void TPrinter::LoadSettingsInto(QPrinter& dialogPrinter) {
    const QPrinter& settings = Settings();
    if (settings.outputFormat() == QPrinter::PdfFormat) {
        dialogPrinter.setOutputFormat(QPrinter::PdfFormat);
        dialogPrinter.setOutputFileName(settings.outputFileName());
    } else {
        dialogPrinter.setOutputFormat(QPrinter::NativeFormat);
        dialogPrinter.setPrinterName(settings.printerName());
    }
    CopyPageSettings(settings, dialogPrinter);
}

int TPrinter::Copies() {
    QPrinter& settings = Settings();
    if (!settings.isValid()) throw PrinterNotSupportedError();
    return settings.copyCount();
}

void TPrinter::SetCopies(int copies) {
    QPrinter& settings = Settings();
    if (!settings.isValid()) throw PrinterNotSupportedError();
    if (documentOpen_) throw PrintingInProgressError();
    settings.setCopyCount(copies);
}

void TPrinter::PreviewInto(QPrinter* preview) {
    if (documentOpen_) throw PrintingInProgressError();
    preview_ = preview;
}

int TPrinter::PrintableWidth() { return MeasuringDevice().width(); }
int TPrinter::PrintableHeight() { return MeasuringDevice().height(); }

// --- the document ---

void TPrinter::RequireDocument() const {
    if (!documentOpen_) throw NotPrintingError();
}

QPaintDevice& TPrinter::MeasuringDevice() {
    if (pdf_ && pdf_->writer) return *pdf_->writer;
    if (preview_) return *preview_;
    return Settings();
}

// A real printer sorts and copies by itself; for the PDF that is done here.
bool TPrinter::CopiesHere() const {
    return pdf_ || (preview_ && current_ >= 0 && IsPdf(printers_[current_]));
}

bool TPrinter::Streaming() const {
    if (!pdf_ && !preview_) return false;
    if (!CopiesHere()) return true;
    // Pages painted as they are complete need nothing of later pages: not the case when the
    // last page comes first or when the whole document repeats for collated copies.
    const QPrinter& settings = *settings_;
    return settings.pageOrder() == QPrinter::FirstPageFirst &&
           (settings.copyCount() <= 1 || !settings.collateCopies());
}

void TPrinter::StartDocument() {
    if (documentOpen_) throw PrintingInProgressError();
    QPrinter& settings = Settings();
    if (!settings.isValid()) throw InvalidPrinterError();
    if (preview_) {
        BeginPainting(*preview_);
    } else if (IsPdf(CurrentDevice())) {
        // Creating the file now tells at once whether that place can take it.
        auto pdf = std::make_unique<PdfOutput>(CurrentDevice().Port);
        if (!pdf->file.Open(false)) throw InvalidPrinterError();
        pdf->writer = std::make_unique<QPdfWriter>(&pdf->device);
        pdf->writer->setPageLayout(settings.pageLayout());
        pdf->writer->setResolution(settings.resolution());
        pdf->writer->setTitle(DocumentName);
        pdf->writer->setCreator(QCoreApplication::applicationName());
        pdf_ = std::move(pdf);
        BeginPainting(*pdf_->writer);
    } else {
        settings.setDocName(DocumentName);
    }
    page_.clear();
    kept_.clear();
    styles_.clear();
    pagesPainted_ = 0;
    documentOpen_ = true;
    jobAborted_ = false;
    currentPage_ = 1;
}

void TPrinter::BeginPainting(QPaintDevice& device) {
    painter_ = std::make_unique<QPainter>();
    paintedStyle_ = -1;
    if (!painter_->begin(&device)) {
        painter_.reset();
        pdf_.reset();
        throw InvalidPrinterError();
    }
}

void TPrinter::PaintPage(const QList<Run>& page) {
    if (pagesPainted_++ > 0) {
        if (pdf_)
            pdf_->writer->newPage();
        else if (preview_)
            preview_->newPage();
        else
            settings_->newPage();
    }
    int ascent = 0;
    for (const Run& run : page) {
        if (run.style != paintedStyle_) {
            painter_->setFont(styles_[run.style].first);
            painter_->setPen(styles_[run.style].second);
            ascent = painter_->fontMetrics().ascent();
            paintedStyle_ = run.style;
        } else if (ascent == 0) {
            ascent = painter_->fontMetrics().ascent();
        }
        painter_->drawText(QPoint(run.x, run.y + ascent), run.text);
    }
}

// A complete page is painted now (once per uncollated copy) or kept for the end.
void TPrinter::PaintCompletePage() {
    if (!Streaming()) {
        kept_.append(std::move(page_));
        page_.clear();
        return;
    }
    const int copies = CopiesHere() ? std::max(1, settings_->copyCount()) : 1;
    for (int copy = 0; copy < copies; ++copy) PaintPage(page_);
    page_.clear();
    CheckPdfWrites();
}

// Hands the kept pages over in the order and number of copies chosen, letting the window
// run between them; false when KeepPrinting asked to stop.
void TPrinter::PaintKeptPages() {
    QList<const QList<Run>*> order;
    for (const QList<Run>& page : kept_) order.append(&page);
    const QPrinter& settings = *settings_;
    int copies = 1;
    bool collate = true;
    if (CopiesHere()) {
        if (settings.pageOrder() == QPrinter::LastPageFirst)
            std::reverse(order.begin(), order.end());
        copies = std::max(1, settings.copyCount());
        collate = settings.collateCopies();
    }
    const int outer = collate ? copies : 1;
    const int inner = collate ? 1 : copies;
    for (int round = 0; round < outer; ++round) {
        for (const QList<Run>* page : order) {
            for (int copy = 0; copy < inner; ++copy) PaintPage(*page);
            CheckPdfWrites();
            if (KeepPrinting && !KeepPrinting()) {
                jobAborted_ = true;
                return;
            }
        }
    }
}

void TPrinter::CheckPdfWrites() {
    if (!pdf_ || pdf_->file.LastFailure() == ReplacementFile::Failure::None) return;
    // Ending the document deletes the file object: read what failed first.
    const bool room = pdf_->file.OutOfRoom();
    const int err = pdf_->file.Error();
    EndDocument();
    if (room) throw EInOutError(101);
    throw InOutErrorFromErrno(err);
}

void TPrinter::CommitPdf() {
    painter_->end();
    CheckPdfWrites();
    if (!pdf_->file.Commit()) {
        const int err = pdf_->file.Error();
        const bool room = pdf_->file.OutOfRoom();
        EndDocument();
        if (room) throw EInOutError(101);
        throw InOutErrorFromErrno(err);
    }
}

void TPrinter::StartNextPage() {
    RequireDocument();
    PaintCompletePage();
    ++currentPage_;
}

void TPrinter::Record(int x, int y, QStringView text) {
    if (styles_.isEmpty() || styles_.last().first != canvas_.font_ ||
        styles_.last().second != canvas_.color_)
        styles_.append({canvas_.font_, canvas_.color_});
    page_.append({x, y, text.toString(), static_cast<int>(styles_.size() - 1)});
}

void TPrinter::EndDocument() {
    if (painter_ && painter_->isActive()) painter_->end();
    painter_.reset();
    pdf_.reset();  // an uncommitted temporary goes with it
    page_.clear();
    kept_.clear();
    styles_.clear();
    documentOpen_ = false;
    jobAborted_ = false;
    currentPage_ = 0;
}

void TPrinter::FinishDocument() {
    RequireDocument();
    // Whatever happens to the pages, the printer is free for the next document after this.
    struct Ender {
        TPrinter* printer;
        ~Ender() {
            if (printer->documentOpen_) printer->EndDocument();
        }
    } ender{this};
    if (jobAborted_) return;
    PaintCompletePage();
    if (!pdf_ && !preview_) {
        // Nothing reaches a real printer before this point, so a Cancel until now leaves no job.
        if (KeepPrinting && !KeepPrinting()) return;
        BeginPainting(*settings_);
    }
    PaintKeptPages();
    if (pdf_) {
        // The last chance to drop the PDF; a job begun on a real printer cannot be taken back.
        if (jobAborted_ || (KeepPrinting && !KeepPrinting())) return;
        CommitPdf();
    } else {
        painter_->end();
    }
}

void TPrinter::AbandonDocument() {
    jobAborted_ = true;
    EndDocument();
}

TPrinter& Printer() {
    static TPrinter* printer = nullptr;
    if (!printer) {
        printer = new TPrinter;
        // Finished and gone before the application object, which its printers need.
        qAddPostRoutine([] {
            delete printer;
            printer = nullptr;
        });
    }
    return *printer;
}

}  // namespace tabulist
