// Drucken1Click: the text view's lines on the printer, with the progress window.
#include "forms/OutputCommands/PrintCommand.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QTextBlock>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Help.h"
#include "output/PrinterTextDevice.h"
#include "output/TPrinter.h"

namespace tabulist {

namespace {

bool ShowPrintDialog1(QWidget* parent, QPrinter& printer) {
#ifdef _WIN32
    // Windows' print dialog shows the system's printers only and refuses the PDF printer:
    // for that one the question is where its file goes.
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        const QString file = QFileDialog::getSaveFileName(
            parent, QString(), printer.outputFileName(), QStringLiteral("PDF (*.pdf)"));
        if (file.isEmpty()) return false;
        printer.setOutputFileName(file);
        return true;
    }
#endif
    QPrintDialog dialog(&printer, parent);
    dialog.setObjectName(QStringLiteral("PrintDialog1"));
    // All pages only. Printing to a file stays: on this platform it is the PDF printer.
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
    OfferHelp(&dialog, 4);
    return dialog.exec() == QDialog::Accepted;
}

// Whatever ends the printing early, the progress window goes and the printer is freed.
class PrintingGuard {
public:
    PrintingGuard(PrinterTextDevice& device, TDrucken& progress)
        : device_(device), progress_(progress) {}
    ~PrintingGuard() {
        Printer().KeepPrinting = nullptr;
        if (done_) return;
        progress_.hide();
        if (device_.IsOpen()) device_.Abandon();
    }
    void Done() { done_ = true; }

private:
    PrinterTextDevice& device_;
    TDrucken& progress_;
    bool done_ = false;
};

}  // namespace

std::function<bool(QWidget*, QPrinter&)> PrintCommand::confirmPrintDialog = ShowPrintDialog1;

int PrintableLineCount(const QPlainTextEdit* memo) {
    const QTextDocument* document = memo->document();
    int count = document->blockCount();
    if (document->lastBlock().length() <= 1) --count;  // the empty line after a final line end
    return count;
}

QString PrintableLine(const QPlainTextEdit* memo, int index) {
    if (index < 0 || index >= PrintableLineCount(memo)) return {};
    return memo->document()->findBlockByNumber(index).text().left(PrintCommand::MaxLineLength);
}

int PrintProgress(int i, int m) { return m > 1 ? i * 100 / (m - 1) : 100; }

void PrintCommand::Run(QWidget* parent, QPlainTextEdit* memo, TDrucken& progress,
                       const std::function<void(const QString&)>& panel1) {
    PrintCancelled = false;
    TPrinter& printer = Printer();
    // The dialog works on the printer's own settings, so that every choice it confirms stays;
    // while a document prints they are not to be touched, and confirming then fails.
    QPrinter spare(QPrinter::HighResolution);
    QPrinter* dialogPrinter = &spare;
    if (printer.DocumentOpen())
        printer.LoadSettingsInto(spare);
    else
        dialogPrinter = &printer.DialogPrinter();
    if (!confirmPrintDialog(parent, *dialogPrinter)) return;
    printer.SetPrinter(*dialogPrinter);
    printer.SetCopies(dialogPrinter->copyCount());
    panel1(QStringLiteral("Drucken ..."));

    printer.DocumentName = JobName;
    PrinterTextDevice device(printer);
    device.Open();
    PrintingGuard guard(device, progress);
    UseFontOf(memo);
    progress.show();
    progress.ProgressBar1->setValue(0);

    const int n = PrintableLineCount(memo);
    for (int i = 0; i < n; ++i) {
        progress.ProgressBar1->setValue(PrintProgress(i, PrintableLineCount(memo)));
        QCoreApplication::processEvents();
        if (!PrintCancelled) device.WriteLine(PrintableLine(memo, i));
        if (PrintCancelled) break;
    }

    // The progress window stays, and Cancel with it, until the printer has the whole job.
    printer.KeepPrinting = [] {
        QCoreApplication::processEvents();
        return !PrintCancelled;
    };
    if (!PrintCancelled)
        device.Close();
    else
        device.Abandon();
    panel1(QString());
    progress.hide();
    guard.Done();
}

void PrintCommand::UseFontOf(const QPlainTextEdit* memo) const {
    Printer().Canvas().SetFont(
        memo->font(), TextColor.isValid() ? TextColor : memo->palette().color(QPalette::Text));
}

void PrintCommand::Paint(QPrinter& preview, const QPlainTextEdit* memo) {
    TPrinter& printer = Printer();
    printer.PreviewInto(&preview);
    printer.DocumentName = JobName;
    PrinterTextDevice device(printer);
    // Whatever ends the painting, the document goes and the printer prints again.
    struct Back {
        PrinterTextDevice& device;
        ~Back() {
            if (device.IsOpen()) device.Abandon();
            Printer().PreviewInto(nullptr);
        }
    } back{device};
    device.Open();
    UseFontOf(memo);
    const int n = PrintableLineCount(memo);
    for (int i = 0; i < n; ++i) device.WriteLine(PrintableLine(memo, i));
    device.Close();
}

}  // namespace tabulist
