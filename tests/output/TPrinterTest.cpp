#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QTemporaryDir>

#include "output/OutputErrors.h"
#include "output/PrinterTextDevice.h"
#include "output/TPrinter.h"
#include "support/Application.h"
#include "support/ErrorOf.h"
#include "support/OnWindows.h"
#include "support/PdfReader.h"

namespace tabulist {
namespace {

using test::ErrorOf;

// Printers and fonts need an application object, for every test of this program.
TABULIST_TEST_APPLICATION(QGuiApplication);

PrinterPlatform FakePlatform(QStringList installed, QString defaultName) {
    return {[installed] { return installed; }, [defaultName] { return defaultName; }};
}

// A printer whose current printer is the PDF printer writing into a fresh folder.
class PdfPrinter : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("out.pdf");
    TPrinter printer{FakePlatform({}, {})};

    void SetUp() override {
        QPrinter chosen;
        chosen.setOutputFormat(QPrinter::PdfFormat);
        chosen.setOutputFileName(pdf);
        printer.SetPrinter(chosen);
    }
    QStringList FilesInDir() const { return QDir(dir.path()).entryList(QDir::Files); }
};

TEST(TPrinterChoice, TheDefaultPrinterIsCurrentAndThePdfPrinterIsAlwaysListed) {
    TPrinter printer(FakePlatform({"Laser", "Ink"}, "Ink"));
    EXPECT_EQ(printer.CurrentDevice().Device, "Ink");
    ASSERT_EQ(printer.Printers().size(), 3);
    EXPECT_EQ(printer.Printers().last().Device, "Print to PDF");

    TPrinter withoutDefault(FakePlatform({"Laser"}, {}));
    EXPECT_EQ(withoutDefault.CurrentDevice().Device, "Print to PDF");
}

TEST(TPrinterChoice, ADefaultThatIsNotInstalledIsNoDefault) {
    TPrinter printer(FakePlatform({"Laser"}, "Gone"));
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.PrinterIndex(); }),
              "There is no default printer currently selected");
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.StartDocument(); }),
              "There is no default printer currently selected");
    EXPECT_FALSE(printer.DocumentOpen());
}

TEST_F(PdfPrinter, NothingButTheDocumentCycleMayUseTheSurface) {
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.Canvas().TextOut(0, 0, u"x"); }),
              "Printer is not currently printing");
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.Canvas().CellHeight(); }),
              "Printer is not currently printing");
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.StartNextPage(); }),
              "Printer is not currently printing");
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.FinishDocument(); }),
              "Printer is not currently printing");
}

TEST_F(PdfPrinter, ASecondDocumentOrPrinterChangeWhilePrintingFails) {
    printer.StartDocument();
    printer.StartNextPage();
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.StartDocument(); }), "Printing in progress");
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.SetPrinter(QPrinter()); }), "Printing in progress");
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.SetCopies(2); }), "Printing in progress");
    EXPECT_TRUE(printer.DocumentOpen());
    EXPECT_EQ(printer.CurrentPage(), 2);
    EXPECT_EQ(printer.CurrentDevice().Port, pdf);
    printer.FinishDocument();
    EXPECT_FALSE(printer.DocumentOpen());
    EXPECT_EQ(printer.CurrentPage(), 0);
    SKIP_WITHOUT_DEBIAN_TOOL("pdfinfo");
    EXPECT_EQ(test::PdfPageCount(pdf), 2);
}

TEST_F(PdfPrinter, FinishedDocumentHoldsTheTextOnItsPages) {
    PrinterTextDevice device(printer);
    device.Open();
    printer.Canvas().SetFont(QFont("DejaVu Sans", 12));
    device.WriteLine(u"first\tline");
    device.Write(u"\f");
    device.WriteLine(u"second page");
    device.Close();
    EXPECT_EQ(FilesInDir(), QStringList{"out.pdf"});
    SKIP_WITHOUT_DEBIAN_TOOL("pdftotext");
    const QStringList pages = test::PdfPages(pdf);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(test::Words(pages[0]), QStringList{"first line"});
    EXPECT_EQ(test::Words(pages[1]), QStringList{"second page"});
}

TEST_F(PdfPrinter, AnAbandonedDocumentLeavesNoFileAndKeepsAnOldOne) {
    printer.StartDocument();
    printer.AbandonDocument();
    EXPECT_TRUE(FilesInDir().isEmpty());
    EXPECT_FALSE(printer.DocumentOpen());
    EXPECT_FALSE(printer.JobAborted());

    {
        QFile old(pdf);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("earlier print");
    }
    printer.StartDocument();  // free again at once
    printer.Canvas().TextOut(0, 0, u"discarded");
    printer.AbandonDocument();
    EXPECT_EQ(FilesInDir(), QStringList{"out.pdf"});
    QFile old(pdf);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "earlier print");
}

TEST_F(PdfPrinter, APdfThatCannotBeWrittenIsNotAValidPrinter) {
    QPrinter chosen;
    chosen.setOutputFormat(QPrinter::PdfFormat);
    chosen.setOutputFileName(dir.filePath("missing/out.pdf"));
    printer.SetPrinter(chosen);
    EXPECT_EQ(ErrorOf<EPrinter>([&] { printer.StartDocument(); }), "Printer selected is not valid");
    EXPECT_FALSE(printer.DocumentOpen());
}

TEST_F(PdfPrinter, TheFontKeepsItsSizeOnThePrintersResolution) {
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(16);
    printer.StartDocument();
    printer.Canvas().SetFont(font);
    const qreal screenDpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
    const qreal inchesOnScreen = QFontMetrics(font).height() / screenDpi;
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const qreal inchesOnPaper = printer.Canvas().CellHeight() / qreal(reference.resolution());
    EXPECT_NEAR(inchesOnPaper, inchesOnScreen, inchesOnScreen * 0.15);
    printer.AbandonDocument();
}

}  // namespace
}  // namespace tabulist
