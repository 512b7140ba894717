// The print preview window.
#include "forms/OutputCommands/PrintPreview.h"

#include <QDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QToolBar>
#include <QVBoxLayout>

#include "forms/OutputCommands/PrintCommand.h"
#include "forms/ScreenPlace.h"
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

    // Tool bar buttons take no mnemonic from their captions: each gets its Alt key as a
    // shortcut, shown in its tip, and the zoom buttons the usual zoom keys too.
    auto* bar = new QToolBar(&dialog);
    auto add = [bar](const QString& caption, const char* name, QList<QKeySequence> keys) {
        QAction* item = bar->addAction(caption);
        item->setObjectName(QString::fromLatin1(name));
        item->setShortcuts(keys);
        item->setToolTip(QString(caption).remove(u'&') + QStringLiteral(" (") +
                         keys.constFirst().toString(QKeySequence::NativeText) + u')');
        return item;
    };
    QObject::connect(add(QStringLiteral("&Print"), "PreviewPrint", {Qt::ALT | Qt::Key_P}),
                     &QAction::triggered, &dialog, [&dialog] { dialog.done(PrintAsked); });
    bar->addSeparator();
    QObject::connect(add(QStringLiteral("Fit &width"), "PreviewFitWidth", {Qt::ALT | Qt::Key_W}),
                     &QAction::triggered, view, &QPrintPreviewWidget::fitToWidth);
    QObject::connect(add(QStringLiteral("W&hole page"), "PreviewWholePage", {Qt::ALT | Qt::Key_H}),
                     &QAction::triggered, view, &QPrintPreviewWidget::fitInView);
    QObject::connect(add(QStringLiteral("Zoom &in"), "PreviewZoomIn",
                         {Qt::ALT | Qt::Key_I, QKeySequence::ZoomIn, Qt::Key_Plus}),
                     &QAction::triggered, view, [view] { view->zoomIn(); });
    QObject::connect(add(QStringLiteral("Zoom &out"), "PreviewZoomOut",
                         {Qt::ALT | Qt::Key_O, QKeySequence::ZoomOut, Qt::Key_Minus}),
                     &QAction::triggered, view, [view] { view->zoomOut(); });
    bar->addSeparator();
    QObject::connect(add(QStringLiteral("&Close"), "PreviewClose", {Qt::ALT | Qt::Key_C}),
                     &QAction::triggered, &dialog, &QDialog::reject);

    auto* layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(view);
    // As tall as a page wants where the screen has room, within its available area otherwise.
    FitOnScreen(&dialog, QSize(640, 720), parent ? parent->window() : nullptr, ScreenPlace::Over);

    // Painted now rather than when the window first shows, so that an error in painting
    // reaches the error display instead of passing through the dialog's own event loop.
    view->updatePreview();
    return dialog.exec() == PrintAsked;
}

}  // namespace tabulist
