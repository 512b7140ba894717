// The print preview window.
#include "forms/OutputCommands/PrintPreview.h"

#include <QDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include "forms/OutputCommands/PrintCommand.h"
#include "output/OutputErrors.h"
#include "output/TPrinter.h"

namespace tabulist {

namespace {
constexpr int PrintAsked = 2;  // the dialog's result when its Print button was pressed
}

bool PrintPreviewCommand(QWidget* parent, const QPlainTextEdit* memo, PrintCommand& command) {
    TPrinter& printer = Printer();
    if (printer.DocumentOpen()) throw PrintingInProgressError();
    QPrinter pages(QPrinter::HighResolution);
    printer.LoadSettingsInto(pages);

    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("PrintPreview"));
    dialog.setWindowTitle(QStringLiteral("Print preview"));
    auto* view = new QPrintPreviewWidget(&pages, &dialog);
    view->setObjectName(QStringLiteral("PreviewPages"));
    QObject::connect(view, &QPrintPreviewWidget::paintRequested,
                     [&command, memo](QPrinter* target) { command.Paint(*target, memo); });

    auto* bar = new QToolBar(&dialog);
    bar->addAction(QStringLiteral("&Print"), &dialog, [&dialog] { dialog.done(PrintAsked); })
        ->setObjectName(QStringLiteral("PreviewPrint"));
    bar->addSeparator();
    bar->addAction(QStringLiteral("Fit &width"), view, &QPrintPreviewWidget::fitToWidth);
    bar->addAction(QStringLiteral("&Whole page"), view, &QPrintPreviewWidget::fitInView);
    bar->addAction(QStringLiteral("Zoom &in"), view, [view] { view->zoomIn(); });
    bar->addAction(QStringLiteral("Zoom &out"), view, [view] { view->zoomOut(); });
    bar->addSeparator();
    bar->addAction(QStringLiteral("&Close"), &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(view);
    dialog.resize(640, 720);

    // Painted now rather than when the window first shows, so that an error in painting
    // reaches the error display instead of passing through the dialog's own event loop.
    view->updatePreview();
    return dialog.exec() == PrintAsked;
}

}  // namespace tabulist
