#include <gtest/gtest.h>

#include <QFile>
#include <QTimer>

#include "support/OutputSeams.h"
#include "support/PdfReader.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

class Reentrancy : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 3000; ++i) t.files().file("entry-" + QByteArray::number(i) + ".txt", i);
        t.StartShown();
        w = &t.window();
    }
    // Runs action once the listing started by start lets messages run.
    void DuringListing(const std::function<void()>& start, const std::function<void()>& action) {
        bool acted = false;
        QTimer::singleShot(0, w, [this, action, &acted] {
            EXPECT_TRUE(w->ListingRunning());
            action();
            acted = true;
        });
        start();
        PumpUntil([&] { return acted && !w->ListingRunning(); });
    }
    WindowTest t;
    THaupt* w = nullptr;
    QTemporaryDir out;
    QString saved = out.filePath("listing.txt");
    QString pdf = out.filePath("listing.pdf");
    SavesTo savesTo{saved};
    PrintsToPdf printsToPdf{pdf};
};

// Each kind of control asks for a listing while one runs; the newest request wins.
TEST_F(Reentrancy, ListingAskedFromEveryKindOfControlDuringAListing) {
    const std::vector<std::function<void()>> requests = {
        [this] { w->CheckBox4->click(); },    // check box
        [this] { w->Groesse1->trigger(); },   // menu item
        [this] { w->SelectColumnCount(2); },  // pop-up menu
        [this] {
            w->ComboBox9->setCurrentIndex(1);
            emit w->ComboBox9->activated(1);
        },  // combo box
        [this] {
            w->RadioGroup1->SetItemIndex(1);
            w->RadioGroup1Click();
        },  // radio group
        [this] { w->DirectoryListBox1->OpenDirectory(t.listedDirectory() + "/sub"); },  // list
        [this] { w->DriveComboBox1Change(); },  // drive selector
    };
    for (size_t i = 0; i < requests.size(); ++i) {
        DuringListing([this] { w->BuildListing(); }, requests[i]);
        EXPECT_TRUE(ShownErrors().isEmpty()) << i << ShownErrors().join('|').toStdString();
        EXPECT_EQ(WithoutParentLine(w->Memo1->toPlainText()),
                  ExpectedListing(*w, w->DirectoryListBox1->CurrentDirectory()))
            << i;
    }
}

TEST_F(Reentrancy, SaveAndPrintDuringAListingAndAListingDuringPrinting) {
    QString viewAtSave;
    DuringListing([this] { w->BuildListing(); },
                  [&] {
                      viewAtSave = w->Memo1->toPlainText();
                      w->BitBtn2Click();
                  });
    EXPECT_TRUE(ShownErrors().isEmpty());
    // The file holds what the view held when it was saved.
    EXPECT_TRUE(QFile::exists(saved));
    EXPECT_EQ(ReadFile(saved), viewAtSave.replace('\n', QStringLiteral("\r\n")).toUtf8());
    EXPECT_EQ(WithoutParentLine(w->Memo1->toPlainText()),
              ExpectedListing(*w, w->DirectoryListBox1->CurrentDirectory()));

    DuringListing([this] { w->BuildListing(); }, [this] { w->Drucken1Click(); });
    EXPECT_TRUE(ShownErrors().isEmpty());
    EXPECT_GT(PdfPageCount(pdf), 0);
    EXPECT_EQ(WithoutParentLine(w->Memo1->toPlainText()),
              ExpectedListing(*w, w->DirectoryListBox1->CurrentDirectory()));

    // A listing asked for while the lines print: the view is rebuilt under the print loop.
    QFile::remove(pdf);
    QTimer::singleShot(0, w, [this] { w->CheckBox5->click(); });
    w->Drucken1Click();
    PumpUntil([this] { return !w->ListingRunning(); });
    EXPECT_TRUE(ShownErrors().isEmpty());
    EXPECT_GT(PdfPageCount(pdf), 0);
    EXPECT_EQ(WithoutParentLine(w->Memo1->toPlainText()),
              ExpectedListing(*w, w->DirectoryListBox1->CurrentDirectory()));
}

// A line of 100,000 characters is saved whole and printed cut at 4096, without a hang.
TEST_F(Reentrancy, HugeLineIsSavedWholeAndPrintedCut) {
    const QString line = QString(PrintCommand::MaxLineLength, 'X') + QString(100000 - 4096, 'Y');
    w->Memo1->setPlainText(line + "\nend\n");
    w->BitBtn2Click();
    EXPECT_EQ(ReadFile(saved), (line + "\r\nend\r\n").toUtf8());
    w->Drucken1Click();
    const QString text = PdfPages(pdf).join(QString());
    EXPECT_EQ(text.count('X'), PrintCommand::MaxLineLength);
    EXPECT_EQ(text.count('Y'), 0);
    EXPECT_TRUE(text.contains("end"));
}

}  // namespace
}  // namespace tabulist::test
