#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "forms/OutputCommands/PrintPreview.h"
#include "output/TPrinter.h"
#include "support/PdfReader.h"
#include "support/Seam.h"
#include "support/WindowTest.h"

namespace tabulist {
namespace {

class Preview : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString pdf = dir.filePath("preview.pdf");
    int copies = 1;
    QPrinter::PageOrder order = QPrinter::FirstPageFirst;
    test::SeamRestorer<decltype(PrintCommand::confirmPrintDialog)> keep_{
        PrintCommand::confirmPrintDialog};

    void SetUp() override {
        PrintCommand::confirmPrintDialog = [this](QWidget*, QPrinter& printer) {
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            printer.setCopyCount(copies);
            printer.setCollateCopies(true);
            printer.setPageOrder(order);
            return true;
        };
        // The PDF printer as a fresh start, whatever earlier tests chose.
        QPrinter start;
        start.setOutputFormat(QPrinter::PdfFormat);
        start.setOutputFileName(pdf);
        Printer().SetPrinter(start);
    }
    // Shows the preview and answers it with the named action (none: closes it); returns the
    // pages it showed.
    int PreviewPages(const std::function<void()>& preview, const char* action) {
        int pages = -1;
        test::AnswerNextModal([&pages, action](QDialog& dialog) {
            auto* view = dialog.findChild<QPrintPreviewWidget*>();
            if (view) pages = view->pageCount();
            if (auto* button = action ? dialog.findChild<QAction*>(action) : nullptr)
                button->trigger();
            else
                dialog.reject();
        });
        preview();
        return pages;
    }
};

TEST_F(Preview, ShowsAsManyPagesAsThePdfGetsAndWritesNothing) {
    QPlainTextEdit memo;
    memo.setFont(QFont("DejaVu Sans Mono", 10));
    QString text;
    for (int i = 0; i < 250; ++i) text += QStringLiteral("line %1 of the listing\n").arg(i);
    memo.setPlainText(text + QStringLiteral("after a form feed\f\n"));
    TDrucken progress;
    PrintCommand command;

    // The PDF repeats the pages for copies and turns them round; the preview shows the same.
    for (const auto& [n, pageOrder] :
         {std::pair{1, QPrinter::FirstPageFirst}, std::pair{2, QPrinter::LastPageFirst}}) {
        copies = n;
        order = pageOrder;
        command.Run(nullptr, &memo, progress, [](const QString&) {});
        const int printed = test::PdfPageCount(pdf);
        ASSERT_GE(printed, 3 * n);
        ASSERT_TRUE(QFile::remove(pdf));

        const int shown = PreviewPages(
            [&] { EXPECT_FALSE(PrintPreviewCommand(nullptr, &memo, command)); }, nullptr);
        EXPECT_EQ(shown, printed) << n << " copies";
        EXPECT_FALSE(QFile::exists(pdf));
    }
}

// The additions stand next to the items they belong with; the others keep their order,
// captions and keys.
TEST_F(Preview, FileMenuHoldsExportAfterSaveAndPreviewAfterPrint) {
    test::WindowTest t;
    t.StartShown();
    QStringList items;
    for (const QAction* item : t.window().Datei1->actions())
        items << (item->isSeparator() ? QStringLiteral("-")
                                      : item->text() + u'|' + item->shortcut().toString());
    EXPECT_EQ(items, QStringList({"&Save|F2", "E&xport ...|", "Co&mpare with catalogue ...|", "-",
                                  "&Print|F3", "Print pre&view|Ctrl+Shift+F2", "Printer&options|F4",
                                  "-", "&Exit Alt+F4|"}));
}

// Ctrl+Shift+F2 shows the preview, whose tool bar answers Alt+P, and the zoom keys.
TEST_F(Preview, ItsShortcutOpensItAndAltPPrints) {
    test::WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    int shown = -1;
    qreal zoomBefore = 0, zoomAfter = 0;
    test::AnswerNextModal([&](QDialog& dialog) {
        auto* view = dialog.findChild<QPrintPreviewWidget*>();
        dialog.activateWindow();
        if (view == nullptr || !QTest::qWaitForWindowActive(&dialog)) return dialog.reject();
        shown = view->pageCount();
        zoomBefore = view->zoomFactor();
        QTest::keyClick(&dialog, Qt::Key_Plus, Qt::ControlModifier);
        zoomAfter = view->zoomFactor();
        QTest::keyClick(&dialog, Qt::Key_P, Qt::AltModifier);
    });
    QTest::keyClick(w.Memo1, Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    test::ProcessEvents();
    EXPECT_GT(zoomAfter, zoomBefore);
    EXPECT_GE(shown, 1);
    EXPECT_EQ(test::PdfPageCount(pdf), shown);
}

}  // namespace
}  // namespace tabulist
