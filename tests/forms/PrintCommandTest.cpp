#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "output/OutputErrors.h"
#include "output/TPrinter.h"
#include "support/OutputSeams.h"
#include "support/PdfReader.h"

namespace tabulist {
namespace {

QString Lines(int count) {
    QString text;
    for (int i = 0; i < count; ++i)
        text += QStringLiteral("entry%1\t%2\n").arg(i, 4, 10, QChar('0')).arg(i * 7);
    return text;
}

QStringList ExpectedWords(const QString& text) {
    QString spaced = text;
    return test::Words(spaced.replace(QChar('\t'), QChar(' ')));
}

// The print command on the PDF printer, writing into a fresh folder.
class PrintToPdf : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("listing.pdf");
    test::PrintsToPdf printsToPdf{pdf};
    QPlainTextEdit memo;
    TDrucken progress;
    QStringList panel;
    QList<int> barValues;
    PrintCommand command;

    void SetUp() override {
        memo.setFont(QFont("DejaVu Sans Mono", 10));
        progress.ProgressBar1->setValue(37);  // left from an earlier print
        QObject::connect(progress.ProgressBar1, &QProgressBar::valueChanged,
                         [this](int value) { barValues.append(value); });
    }
    void Print() {
        command.Run(nullptr, &memo, progress, [this](const QString& s) { panel.append(s); });
    }
    // Runs once the print loop first lets messages run.
    void WhilePrinting(std::function<void()> action) { QTimer::singleShot(0, action); }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files); }
};

TEST_F(PrintToPdf, EveryLineIsPrintedInOrderOnTheExpectedNumberOfPages) {
    const int n = 300;
    memo.setPlainText(Lines(n));
    Print();

    EXPECT_EQ(test::Words(test::PdfPages(pdf).join('\n')), ExpectedWords(Lines(n)));
    // A line advances by the text height + 2; a page ends once two lines no longer fit.
    QPrinter reference(QPrinter::HighResolution);
    reference.setOutputFormat(QPrinter::PdfFormat);
    const int advance = QFontMetrics(memo.font(), &reference).height() + 2;
    const int linesPerPage = (reference.height() - 2 * advance) / advance + 1;
    EXPECT_EQ(test::PdfPageCount(pdf), n / linesPerPage + 1);

    EXPECT_EQ(panel, QStringList({"Drucken ...", ""}));
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(barValues.first(), 0);
    EXPECT_EQ(barValues.last(), 100);
    EXPECT_FALSE(Printer().DocumentOpen());
}

TEST_F(PrintToPdf, TheBarCountsToAHundredWithoutDividingByZero) {
    EXPECT_EQ(PrintProgress(0, 2), 0);
    EXPECT_EQ(PrintProgress(1, 2), 100);
    EXPECT_EQ(PrintProgress(1, 201), 0);
    EXPECT_EQ(PrintProgress(2, 201), 1);
    EXPECT_EQ(PrintProgress(0, 1), 100);

    memo.setPlainText("only line");
    Print();
    EXPECT_EQ(barValues, QList<int>({0, 100}));
    EXPECT_EQ(test::Words(test::PdfPages(pdf).join('\n')), QStringList{"only line"});
}

TEST_F(PrintToPdf, AnEmptyViewPrintsOneEmptyPage) {
    Print();
    EXPECT_EQ(test::PdfPageCount(pdf), 1);
    EXPECT_TRUE(test::Words(test::PdfPages(pdf).join('\n')).isEmpty());
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(PrintToPdf, CancelDiscardsTheDocumentAndFreesThePrinter) {
    memo.setPlainText(Lines(50));
    bool shown = false;
    WhilePrinting([&] {
        shown = progress.isVisible();
        progress.BitBtn1->click();
    });
    Print();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(PrintCancelled);
    EXPECT_TRUE(Files().isEmpty());
    EXPECT_FALSE(progress.isVisible());
    EXPECT_EQ(panel, QStringList({"Drucken ...", ""}));

    Print();
    EXPECT_FALSE(PrintCancelled);
    EXPECT_EQ(test::Words(test::PdfPages(pdf).join('\n')), ExpectedWords(Lines(50)));
}

TEST_F(PrintToPdf, EscapeOnTheProgressWindowCancels) {
    memo.setPlainText(Lines(50));
    WhilePrinting([&] { QTest::keyClick(&progress, Qt::Key_Escape); });
    Print();
    EXPECT_TRUE(PrintCancelled);
    EXPECT_TRUE(Files().isEmpty());
}

TEST_F(PrintToPdf, ASecondPrintWhileOnePrintsFailsAndTheFirstGoesOn) {
    memo.setPlainText(Lines(50));
    QString second;
    WhilePrinting([&] {
        try {
            PrintCommand().Run(nullptr, &memo, progress, [](const QString&) {});
        } catch (const EPrinter& e) {
            second = e.message();
        }
    });
    Print();
    EXPECT_EQ(second, "Printing in progress");
    EXPECT_EQ(test::Words(test::PdfPages(pdf).join('\n')), ExpectedWords(Lines(50)));
}

TEST_F(PrintToPdf, LinesAreTakenAsTheyStandWhenTheirTurnComes) {
    memo.setPlainText(Lines(3));
    WhilePrinting([&] { memo.setPlainText("changed\n"); });
    Print();
    // Still three lines printed, the two that no longer exist as empty ones.
    EXPECT_EQ(test::Words(test::PdfPages(pdf).join('\n')), QStringList{"changed"});
}

TEST_F(PrintToPdf, APrinterThatCannotStartLeavesTheStatusText) {
    pdf = dir.filePath("missing/listing.pdf");
    memo.setPlainText(Lines(3));
    try {
        Print();
        FAIL() << "printed into a missing folder";
    } catch (const EPrinter& e) {
        EXPECT_EQ(e.message(), "Printer selected is not valid");
    }
    EXPECT_EQ(panel, QStringList{"Drucken ..."});
    EXPECT_FALSE(progress.isVisible());
    EXPECT_FALSE(Printer().DocumentOpen());
}

TEST(PrintableLines, TheLastEmptyLineIsNoLineAndLongLinesAreCut) {
    QPlainTextEdit memo;
    EXPECT_EQ(PrintableLineCount(&memo), 0);
    memo.setPlainText("a\n\nb\n");
    EXPECT_EQ(PrintableLineCount(&memo), 3);
    EXPECT_EQ(PrintableLine(&memo, 1), "");
    EXPECT_EQ(PrintableLine(&memo, 3), "");
    memo.setPlainText(QString(5000, QChar('x')) + "\nshort");
    EXPECT_EQ(PrintableLineCount(&memo), 2);
    EXPECT_EQ(PrintableLine(&memo, 0), QString(4096, QChar('x')));
    EXPECT_EQ(PrintableLine(&memo, 1), "short");
}

}  // namespace
}  // namespace tabulist
