// Druckereinrichten1Click: the printer set-up dialog.
#include "forms/OutputCommands/PrinterOptions.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRadioButton>

#include "output/TPrinter.h"

namespace tabulist {

namespace {

// The paper a printer takes: what it reports, and every standard size for the PDF printer
// (or a printer that reports none).
QList<QPageSize> PaperSizesOf(const TPrinterDevice& device) {
    QList<QPageSize> sizes;
    if (device.Device != TPrinter::PdfPrinterName)
        sizes = QPrinterInfo::printerInfo(device.Device).supportedPageSizes();
    if (sizes.isEmpty()) {
        for (int id = 0; id < QPageSize::LastPageSize; ++id)
            if (id != QPageSize::Custom) sizes.append(QPageSize(QPageSize::PageSizeId(id)));
    }
    return sizes;
}

// Fills the paper list for a printer, keeping the size chosen so far even when the printer
// does not report it, so that confirming never changes it behind the user's back.
void ListPaper(QComboBox* paper, const TPrinterDevice& device, const QPageSize& chosen) {
    paper->clear();
    int current = -1;
    for (const QPageSize& size : PaperSizesOf(device)) {
        if (current < 0 && size.isEquivalentTo(chosen)) current = paper->count();
        paper->addItem(size.name(), QVariant::fromValue(size));
    }
    if (current < 0 && chosen.isValid()) {
        current = 0;
        paper->insertItem(0, chosen.name(), QVariant::fromValue(chosen));
    }
    paper->setCurrentIndex(std::max(current, 0));
}

// The platform offers no printer set-up dialog of its own here, so this is a plain one:
// the printer, its paper and the orientation.
bool ShowPrinterSetupDialog1(QWidget* parent, QPrinter& printer) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog1"));
    dialog.setWindowTitle(QStringLiteral("Printer options"));

    auto* printers = new QComboBox(&dialog);
    const QList<TPrinterDevice>& devices = Printer().Printers();
    for (const TPrinterDevice& device : devices) printers->addItem(device.Device);
    printers->setCurrentIndex(Printer().PrinterIndex());

    auto* paper = new QComboBox(&dialog);
    paper->setObjectName(QStringLiteral("PaperSize"));
    ListPaper(paper, devices[printers->currentIndex()], printer.pageLayout().pageSize());
    QObject::connect(printers, &QComboBox::currentIndexChanged, paper, [paper, &devices](int i) {
        if (i >= 0) ListPaper(paper, devices[i], paper->currentData().value<QPageSize>());
    });

    auto* portrait = new QRadioButton(QStringLiteral("Portrait"), &dialog);
    auto* landscape = new QRadioButton(QStringLiteral("Landscape"), &dialog);
    (printer.pageLayout().orientation() == QPageLayout::Landscape ? landscape : portrait)
        ->setChecked(true);
    auto* orientation = new QHBoxLayout;
    orientation->addWidget(portrait);
    orientation->addWidget(landscape);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);

    auto* form = new QFormLayout(&dialog);
    form->addRow(QStringLiteral("Printer:"), printers);
    form->addRow(QStringLiteral("Paper size:"), paper);
    form->addRow(QStringLiteral("Orientation:"), orientation);
    form->addRow(buttons);

    if (dialog.exec() != QDialog::Accepted) return false;
    const TPrinterDevice& device = devices[printers->currentIndex()];
    if (device.Device == TPrinter::PdfPrinterName) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(device.Port);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(device.Device);
    }
    printer.setPageSize(paper->currentData().value<QPageSize>());
    printer.setPageOrientation(landscape->isChecked() ? QPageLayout::Landscape
                                                      : QPageLayout::Portrait);
    return true;
}

}  // namespace

std::function<bool(QWidget*, QPrinter&)> confirmPrinterSetup = ShowPrinterSetupDialog1;

void PrinterOptionsCommand(QWidget* parent) {
    QPrinter dialogPrinter(QPrinter::HighResolution);
    Printer().LoadSettingsInto(dialogPrinter);
    if (confirmPrinterSetup(parent, dialogPrinter)) Printer().SetPrinter(dialogPrinter);
}

}  // namespace tabulist
