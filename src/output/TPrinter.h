#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "output/PrintSurface.h"

class QPainter;
class QPaintDevice;
class QPdfWriter;
class QPrinter;

namespace tabulist {

class TPrinter;
class PdfOutput;

// One installed printer. The PDF printer keeps the file it writes as its port.
struct TPrinterDevice {
    QString Driver;
    QString Device;
    QString Port;
};

// Where the printer object learns which printers exist; tests hand in their own.
struct PrinterPlatform {
    std::function<QStringList()> installedPrinters;  // device names, without the PDF printer
    std::function<QString()> defaultPrinter;         // empty when the platform names none
    static PrinterPlatform System();
};

// The printer's drawing surface. Its font is given in points, so it keeps its size on
// a printer of any resolution.
class TPrinterCanvas : public PrintSurface {
public:
    explicit TPrinterCanvas(TPrinter& printer);
    // Copies face, size (a pixel size is turned into points), style and colour.
    void SetFont(const QFont& font, const QColor& color = Qt::black);
    QFont Font() const { return font_; }
    QColor Color() const { return color_; }

    QSize TextExtent(QStringView text) override;
    int AverageCharWidth() override;
    int CellHeight() override;
    void TextOut(int x, int y, QStringView text) override;

private:
    friend class TPrinter;
    TPrinter& printer_;
    QFont font_;
    QColor color_ = Qt::black;
};

// The process's printer: the installed printers, the current one with its settings, and
// the cycle of one document. The PDF printer paints each page into a temporary file as soon
// as it is complete; the file takes its name only when the document is finished, so an
// abandoned or failed document leaves no PDF and an earlier one of that name untouched.
// Other printers keep the pages until the document is finished and only then hand them to
// the printer, so an abandoned document never reaches it.
class TPrinter : public PrintDocument {
public:
    static const QString PdfPrinterName;  // "Print to PDF", always present

    explicit TPrinter(PrinterPlatform platform = PrinterPlatform::System());
    ~TPrinter() override;  // finishes a document still open
    TPrinter(const TPrinter&) = delete;
    TPrinter& operator=(const TPrinter&) = delete;

    const QList<TPrinterDevice>& Printers();
    // The current printer; the platform's default is chosen first when there is none.
    int PrinterIndex();
    const TPrinterDevice& CurrentDevice();
    // The current printer's settings, for a dialog to change in place: every choice it
    // confirms stays. Only while no document is open.
    QPrinter& DialogPrinter();
    // Makes the printer a dialog chose (with its page set-up and copies) the current one.
    void SetPrinter(const QPrinter& chosen);
    // Gives a dialog's printer the current printer and its settings to start from.
    void LoadSettingsInto(QPrinter& dialogPrinter);
    int Copies();
    void SetCopies(int copies);
    // While set, documents are painted into this printer (a print preview's) instead of
    // reaching the current printer, page for page as that printer would get them; it must
    // hold the current printer's settings. Not while a document is open.
    void PreviewInto(QPrinter* preview);

    bool DocumentOpen() const { return documentOpen_; }
    bool JobAborted() const { return jobAborted_; }
    int CurrentPage() const { return currentPage_; }
    QString DocumentName;  // the job's name and the PDF's title
    // Asked between the pages the printer is handed at the end of a document; it lets the
    // window run and answers whether to go on. Answering no discards the document.
    std::function<bool()> KeepPrinting;

    void StartDocument() override;
    void StartNextPage() override;
    void FinishDocument() override;
    void AbandonDocument() override;
    int PrintableWidth() override;
    int PrintableHeight() override;
    PrintSurface& Surface() override { return Canvas(); }
    TPrinterCanvas& Canvas() { return canvas_; }

private:
    friend class TPrinterCanvas;
    struct Run {
        int x, y;
        QString text;
        int style;  // index into styles_
    };
    QPrinter& Settings();  // the current printer's settings, choosing the default first
    void ChooseDefaultPrinter();
    void MakeCurrent(const TPrinterDevice& device, const QPrinter* chosen);
    void RequireDocument() const;
    QPaintDevice& MeasuringDevice();
    void Record(int x, int y, QStringView text);
    bool Streaming() const;
    bool CopiesHere() const;
    void BeginPainting(QPaintDevice& device);
    void PaintPage(const QList<Run>& page);
    void PaintCompletePage();
    void PaintKeptPages();
    void CheckPdfWrites();
    void CommitPdf();
    void EndDocument();

    PrinterPlatform platform_;
    QList<TPrinterDevice> printers_;
    bool listed_ = false;
    int current_ = -1;
    std::unique_ptr<QPrinter> settings_;
    TPrinterCanvas canvas_;
    bool documentOpen_ = false;
    bool jobAborted_ = false;
    int currentPage_ = 0;
    QList<Run> page_;         // the page being laid out
    QList<QList<Run>> kept_;  // complete pages not painted yet
    QList<std::pair<QFont, QColor>> styles_;
    int paintedStyle_ = -1;
    int pagesPainted_ = 0;
    std::unique_ptr<PdfOutput> pdf_;  // while a PDF document is open
    std::unique_ptr<QPainter> painter_;
    QPrinter* preview_ = nullptr;
};

// The process's one printer, made on first use; a document still open when the
// application ends is finished then.
TPrinter& Printer();

}  // namespace tabulist
