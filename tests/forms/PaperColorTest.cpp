#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <QPrinter>
#include <QProcess>
#include <QTemporaryDir>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Hauptfenster/ColorValues.h"
#include "forms/Hauptfenster/Memo.h"
#include "forms/OutputCommands/PrintCommand.h"

namespace tabulist {
namespace {

// The darkest grey level on the first page of the PDF, rendered by poppler.
int DarkestGrey(const QString& pdf) {
    const QString png = pdf + ".png";
    QProcess::execute("pdftoppm",
                      {"-r", "40", "-f", "1", "-l", "1", "-png", "-singlefile", pdf, pdf});
    const QImage image(png);
    if (image.isNull()) return -1;
    int darkest = 255;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    return darkest;
}

TEST(PaperColor, WindowTextPrintsBlackUnderADarkThemeAndAChosenColourStays) {
    const QPalette saved = QApplication::palette();
    QPalette dark = saved;
    dark.setColor(QPalette::Text, QColor(230, 230, 230));
    dark.setColor(QPalette::WindowText, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(30, 30, 30));
    QApplication::setPalette(dark);

    TMemo memo;
    memo.setFont(QFont("DejaVu Sans Mono", 28, QFont::Bold));
    memo.setPlainText("MMMMMMMMMM\nMMMMMMMMMM\n");
    QTemporaryDir dir;
    const QString pdf = dir.filePath("dark.pdf");
    PrintCommand::confirmPrintDialog = [&](QWidget*, QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setCopyCount(1);
        return true;
    };
    TDrucken progress;
    PrintCommand command;
    command.TextColor = PaperColor(memo.FontColor());
    command.Run(nullptr, &memo, progress, [](const QString&) {});
    QApplication::setPalette(saved);

    EXPECT_LT(DarkestGrey(pdf), 40);  // black ink, not light grey
    EXPECT_EQ(PaperColor(clWindow), QColor(Qt::white));
    EXPECT_EQ(PaperColor(ValueFromColor(Qt::white)), QColor(Qt::white));
    EXPECT_EQ(PaperColor(ValueFromColor(QColor(10, 200, 30))), QColor(10, 200, 30));
}

}  // namespace
}  // namespace tabulist
