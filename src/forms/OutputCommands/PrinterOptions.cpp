// Druckereinrichten1Click: the printer set-up dialog.
#include "forms/OutputCommands/PrinterOptions.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPageSize>
#include <QPrinter>
#include <QRadioButton>

#include "output/TPrinter.h"

namespace tabulist {

namespace {

const QList<QPageSize::PageSizeId> PaperSizes = {
    QPageSize::A4,     QPageSize::A3,    QPageSize::A5,        QPageSize::B5,
    QPageSize::Letter, QPageSize::Legal, QPageSize::Executive, QPageSize::Tabloid};

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
    for (QPageSize::PageSizeId id : PaperSizes) paper->addItem(QPageSize::name(id), int(id));
    const int paperIndex = paper->findData(int(printer.pageLayout().pageSize().id()));
    paper->setCurrentIndex(paperIndex >= 0 ? paperIndex : 0);

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
    printer.setPageSize(QPageSize(QPageSize::PageSizeId(paper->currentData().toInt())));
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
