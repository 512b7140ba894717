#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <csignal>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "output/OutputErrors.h"
#include "output/TPrinter.h"
#include "support/Fixture.h"
#include "support/PdfReader.h"

namespace tabulist {
namespace {

// One line per page (each ends with a form feed), so pages are easy to tell apart.
QString Pages(int count) {
    QString text;
    for (int i = 1; i <= count; ++i) text += QStringLiteral("page%1\f\n").arg(i);
    return text;
}

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

class PdfJob : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("job.pdf");
    QPlainTextEdit memo;
    TDrucken progress;
    PrintCommand command;
    std::function<void(QPrinter&)> choose = [](QPrinter&) {};
    std::function<void(int)> atLine = [](int) {};

    void SetUp() override {
        memo.setFont(QFont("DejaVu Sans Mono", 10));
        PrintCommand::confirmPrintDialog = [this](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setCopyCount(1);
            printer.setCollateCopies(true);
            printer.setPageOrder(QPrinter::FirstPageFirst);
            choose(printer);
            return true;
        };
        QObject::connect(progress.ProgressBar1, &QProgressBar::valueChanged,
                         [this](int value) { atLine(value); });
    }
    void Print() {
        command.Run(nullptr, &memo, progress, [](const QString&) {});
    }
    QStringList PageTexts() {
        QStringList texts;
        for (const QString& page : test::PdfPages(pdf)) texts.append(page.simplified());
        return texts;
    }
    QStringList Files() const { return QDir(dir.path()).entryList(QDir::Files | QDir::Hidden); }
};

TEST_F(PdfJob, CopiesAndPageOrderAreThoseChosen) {
    memo.setPlainText(Pages(2));
    choose = [](QPrinter& p) { p.setCopyCount(3); };
    Print();
    // Each form feed starts a page, so the last line end leaves an empty third page.
    EXPECT_EQ(PageTexts(),
              QStringList({"page1", "page2", "", "page1", "page2", "", "page1", "page2", ""}));

    choose = [](QPrinter& p) {
        p.setCopyCount(2);
        p.setCollateCopies(false);
    };
    Print();
    EXPECT_EQ(PageTexts(), QStringList({"page1", "page1", "page2", "page2", "", ""}));

    choose = [](QPrinter& p) { p.setPageOrder(QPrinter::LastPageFirst); };
    Print();
    EXPECT_EQ(PageTexts(), QStringList({"", "page2", "page1"}));
    EXPECT_EQ(Files(), QStringList{"job.pdf"});
}

TEST_F(PdfJob, ADiskFullIsReportedAndKeepsTheEarlierPdf) {
    memo.setPlainText("earlier\n");
    Print();
    const QByteArray earlier = [&] {
        QFile f(pdf);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }();
    ASSERT_FALSE(earlier.isEmpty());

    QString text;
    for (int i = 0; i < 3000; ++i) text += QStringLiteral("line %1 of a long listing\n").arg(i);
    memo.setPlainText(text);
    QString error = "<no error>";
    {
        test::FileSizeLimit limit(20000);
        try {
            Print();
        } catch (const TabulistError& e) {
            error = e.message();
        }
    }

    EXPECT_EQ(error, "Disk full");
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), earlier);
    EXPECT_EQ(Files(), QStringList{"job.pdf"});
    EXPECT_FALSE(Printer().DocumentOpen());
    EXPECT_FALSE(progress.isVisible());
}

TEST_F(PdfJob, ANewPdfTakesTheUmaskAndAnOldOneKeepsItsMode) {
    memo.setPlainText("mode\n");
    const mode_t old = ::umask(027);
    Print();
    ::umask(old);
    EXPECT_EQ(ModeOf(pdf), 0640u);
    ASSERT_EQ(::chmod(QFile::encodeName(pdf).constData(), 0604), 0);
    Print();
    EXPECT_EQ(ModeOf(pdf), 0604u);
}

TEST_F(PdfJob, CancelAtTheStartInTheMiddleOrOnTheLastPageLeavesNoFile) {
    memo.setPlainText(Pages(5));
    for (const int cancelAt : {0, 50, 100}) {
        atLine = [&](int value) {
            if (value == cancelAt) progress.BitBtn1->click();
        };
        progress.ProgressBar1->setValue(37);  // so that 0 is a change
        Print();
        EXPECT_TRUE(PrintCancelled) << cancelAt;
        EXPECT_TRUE(Files().isEmpty()) << cancelAt;
        EXPECT_FALSE(Printer().DocumentOpen());
    }
    atLine = [](int) {};
    Print();
    EXPECT_EQ(PageTexts().size(), 6);
}

TEST(PdfPrinter, CancelWhileTheCopiesAreHandedOverDropsTheDocument) {
    QTemporaryDir dir;
    TPrinter printer;
    QPrinter& settings = printer.DialogPrinter();
    settings.setOutputFormat(QPrinter::PdfFormat);
    settings.setOutputFileName(dir.filePath("copies.pdf"));
    settings.setCopyCount(3);
    settings.setCollateCopies(true);
    printer.SetPrinter(settings);
    int asked = 0;
    printer.KeepPrinting = [&] { return ++asked < 4; };
    printer.StartDocument();
    printer.Canvas().SetFont(QFont("DejaVu Sans Mono", 10));
    printer.Canvas().TextOut(0, 0, u"first");
    printer.StartNextPage();
    printer.Canvas().TextOut(0, 0, u"second");
    printer.FinishDocument();
    EXPECT_EQ(asked, 4);
    EXPECT_FALSE(printer.DocumentOpen());
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}

}  // namespace
}  // namespace tabulist
