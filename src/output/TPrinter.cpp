// TPrinter: the installed printers, the current one and its print job.
#include "output/TPrinter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QScreen>
#include <QTemporaryFile>
#include <filesystem>
#include <system_error>

#include "output/OutputErrors.h"

namespace tabulist {

const QString TPrinter::PdfPrinterName = QStringLiteral("Print to PDF");

PrinterPlatform PrinterPlatform::System() {
    return {[] { return QPrinterInfo::availablePrinterNames(); },
            [] { return QPrinterInfo::defaultPrinterName(); }};
}

namespace {

QString DefaultPdfFile() {
    return QDir::current().absoluteFilePath(QStringLiteral("Tabulist.pdf"));
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
    const QFontMetrics metrics(font_, &printer_.Settings());
    return {metrics.horizontalAdvance(text.toString()), metrics.height()};
}

int TPrinterCanvas::AverageCharWidth() {
    printer_.RequireDocument();
    return QFontMetrics(font_, &printer_.Settings()).averageCharWidth();
}

int TPrinterCanvas::CellHeight() {
    printer_.RequireDocument();
    return QFontMetrics(font_, &printer_.Settings()).height();
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

int TPrinter::PrintableWidth() { return Settings().width(); }
int TPrinter::PrintableHeight() { return Settings().height(); }

// --- the document ---

void TPrinter::RequireDocument() const {
    if (!documentOpen_) throw NotPrintingError();
}

void TPrinter::StartDocument() {
    if (documentOpen_) throw PrintingInProgressError();
    QPrinter& settings = Settings();
    if (!settings.isValid()) throw InvalidPrinterError();
    if (IsPdf(CurrentDevice())) {
        // The PDF is written beside its final name and renamed when finished; creating it
        // now tells at once whether that place can take a file.
        QTemporaryFile temp(CurrentDevice().Port + QStringLiteral(".XXXXXX"));
        temp.setAutoRemove(false);
        if (!temp.open()) throw InvalidPrinterError();
        pdfTemp_ = temp.fileName();
    }
    pages_ = {{}};
    styles_.clear();
    documentOpen_ = true;
    jobAborted_ = false;
    currentPage_ = 1;
}

void TPrinter::StartNextPage() {
    RequireDocument();
    pages_.append(QList<Run>());
    ++currentPage_;
}

void TPrinter::Record(int x, int y, QStringView text) {
    if (styles_.isEmpty() || styles_.last().first != canvas_.font_ ||
        styles_.last().second != canvas_.color_)
        styles_.append({canvas_.font_, canvas_.color_});
    pages_.last().append({x, y, text.toString(), static_cast<int>(styles_.size() - 1)});
}

void TPrinter::RenderPages() {
    QPrinter& settings = *settings_;
    const bool pdf = IsPdf(CurrentDevice());
    if (pdf) settings.setOutputFileName(pdfTemp_);
    QPainter painter;
    const bool begun = painter.begin(&settings);
    if (!begun) {
        if (pdf) settings.setOutputFileName(CurrentDevice().Port);
        throw InvalidPrinterError();
    }
    for (qsizetype page = 0; page < pages_.size(); ++page) {
        if (page > 0) settings.newPage();
        for (const Run& run : pages_[page]) {
            painter.setFont(styles_[run.style].first);
            painter.setPen(styles_[run.style].second);
            painter.drawText(QPoint(run.x, run.y + painter.fontMetrics().ascent()), run.text);
        }
        // Keeps the window live while a long document goes to the printer.
        QCoreApplication::processEvents();
    }
    painter.end();
    if (pdf) {
        settings.setOutputFileName(CurrentDevice().Port);
        std::error_code error;
        std::filesystem::rename(QFile::encodeName(pdfTemp_).toStdString(),
                                QFile::encodeName(CurrentDevice().Port).toStdString(), error);
        if (error) throw InvalidPrinterError();
        pdfTemp_.clear();
    }
}

void TPrinter::EndDocument() {
    if (!pdfTemp_.isEmpty()) QFile::remove(pdfTemp_);
    pdfTemp_.clear();
    pages_.clear();
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
        ~Ender() { printer->EndDocument(); }
    } ender{this};
    if (!jobAborted_) RenderPages();
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
