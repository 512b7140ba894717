// Makes the pictures of the README and the program icon files from the program's own windows.
//   tabulist-pictures icon SIZE FILE.png
//   tabulist-pictures windows OUTPUT-DIR DEFAULT-SETTINGS LISTED-DIR
// The second writes main-window.png, more-options.png, more-options-subfolders.png,
// exit-question.png, about.png, font-dialog.png, colour-dialog.png, print-progress.png,
// print-preview.png and printed-listing.pdf (tools/screenshots.sh turns its first page into a PNG).
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProgressBar>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>

#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/About/About.h"
#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Hauptfenster/Clock.h"
#include "forms/Hauptfenster/FontDialog.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"
#include "settings/AddedOptions.h"

namespace tabulist {
namespace {

void Settle(int ms) {
    QElapsedTimer clock;
    clock.start();
    do {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    } while (clock.elapsed() < ms);
}

bool Save(QWidget* widget, const QString& file) {
    const bool saved = widget->grab().save(file);
    if (!saved) std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
    return saved;
}

// The 32-pixel icon drawn in whole pixels: doubled without smoothing, then brought to the size
// asked for, so that it stays crisp at 64 and 128 and clean at 48.
bool WriteIcon(int size, const QString& file) {
    const QImage icon = ProgramIcon().toImage();
    QImage large = icon.scaled(icon.size() * 4, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    const QImage sized =
        size % icon.width() == 0
            ? icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            : large.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return sized.convertToFormat(QImage::Format_ARGB32).save(file, "PNG");
}

int WriteWindows(const QString& output, const QString& defaultSettings, const QString& listed) {
    QTemporaryDir programDir;  // a fresh settings file, whatever the user saved
    if (!QDir().mkpath(output) || !programDir.isValid() ||
        !QFile::copy(defaultSettings, programDir.filePath(QStringLiteral("Tabulist.sav"))) ||
        chdir(QFile::encodeName(listed).constData()) != 0) {
        std::fprintf(stderr, "cannot prepare the pictures\n");
        return 1;
    }
    // A fixed clock, so that the pictures change only when the program does.
    SetCurrentDateTimeSource([] { return QDateTime(QDate(2026, 3, 16), QTime(9, 41, 0)); });
    SetProgramDirectory(programDir.path() + QLatin1Char('/'));
    CreateWindowSet();
    THaupt* window = Windows().Haupt;
    window->resize(1024, 700);
    window->show();
    Settle(300);
    while (window->ListingRunning()) Settle(50);
    Settle(1200);  // the clock panel is filled on the first tick
    const QString dir = output + QLatin1Char('/');
    bool saved = Save(window, dir + QStringLiteral("main-window.png"));

    const std::pair<QDialog*, const char*> dialogs[] = {
        {Windows().Zusatzformular, "more-options.png"},
        {Windows().PEDialog, "exit-question.png"},
        {Windows().Info, "about.png"},
        {window->FontDialog1, "font-dialog.png"},
        {window->ColorDialog1, "colour-dialog.png"}};
    for (const auto& [dialog, file] : dialogs) {
        dialog->show();
        Settle(200);
        saved = Save(dialog, dir + QLatin1String(file)) && saved;
        dialog->hide();
    }
    // The dialog again as it looks while subfolders are included.
    AddedOptions.Subfolders = true;
    Windows().Zusatzformular->show();
    Settle(200);
    saved = Save(Windows().Zusatzformular, dir + QStringLiteral("more-options-subfolders.png")) &&
            saved;
    Windows().Zusatzformular->hide();
    AddedOptions.Subfolders = false;

    auto* progress = Windows().Drucken;
    progress->show();
    progress->findChild<QProgressBar*>()->setValue(42);
    Settle(200);
    saved = Save(progress, dir + QStringLiteral("print-progress.png")) && saved;
    progress->hide();

    const QString pdf = dir + QStringLiteral("printed-listing.pdf");
    PrintCommand::confirmPrintDialog = [&](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        return true;
    };
    window->Drucken1Click();
    saved = QFile::exists(pdf) && saved;

    // The preview is modal: it is drawn from inside its own event loop, then closed.
    bool previewSaved = false;
    QTimer::singleShot(0, [&] {
        Settle(400);
        if (auto* preview = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            previewSaved = Save(preview, dir + QStringLiteral("print-preview.png"));
            preview->reject();
        }
    });
    window->PrintPreviewItemClick();
    saved = previewSaved && saved;

    window->hide();
    DestroyWindowSet();
    return saved ? 0 : 1;
}

}  // namespace
}  // namespace tabulist

int main(int argc, char** argv) {
    tabulist::TApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == QLatin1String("icon"))
        return tabulist::WriteIcon(args[2].toInt(), args[3]) ? 0 : 1;
    if (args.size() == 5 && args[1] == QLatin1String("windows"))
        return tabulist::WriteWindows(args[2], args[3], args[4]);
    std::fprintf(stderr,
                 "usage: tabulist-pictures icon SIZE FILE.png\n"
                 "       tabulist-pictures windows OUTPUT-DIR DEFAULT-SETTINGS LISTED-DIR\n");
    return 2;
}
