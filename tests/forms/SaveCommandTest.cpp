#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "forms/OutputCommands/ClipboardCommands.h"
#include "forms/OutputCommands/SaveCommand.h"
#include "forms/OutputCommands/ViewText.h"
#include "output/OutputErrors.h"
#include "support/Fixture.h"
#include "support/Seam.h"

namespace tabulist {
namespace {

using test::ReadFile;

class Save : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString answer;
    QStringList proposed;
    QStringList panel;
    SaveCommand command;
    test::SeamRestorer<decltype(SaveCommand::chooseFileName)> keep{SaveCommand::chooseFileName};

    void SetUp() override {
        SaveCommand::chooseFileName = [this](QWidget*, const QString& name) {
            proposed.append(name);
            return answer;
        };
    }
    void Run(const QString& text) {
        command.Run(nullptr, text, [this](const QString& s) { panel.append(s); });
    }
};

TEST_F(Save, AListingSavesWithCrLfAndTheNameIsProposedAgain) {
    answer = dir.filePath("listing");  // no extension, and none is added
    Run("name.txt\t12\t01.02.2024\n\nfooter\n");
    EXPECT_EQ(ReadFile(answer), "name.txt\t12\t01.02.2024\r\n\r\nfooter\r\n");
    EXPECT_EQ(panel, QStringList({"Daten speichern ...", ""}));

    Run("replaced without a question\n");
    EXPECT_EQ(ReadFile(answer), "replaced without a question\r\n");
    EXPECT_EQ(proposed, QStringList({"Tabulist.TXT", answer}));
}

TEST_F(Save, CancellingTheDialogDoesNothing) {
    answer.clear();
    Run("text");
    EXPECT_TRUE(panel.isEmpty());
    EXPECT_EQ(command.FileName(), "Tabulist.TXT");
}

TEST_F(Save, EditsAndPastedTextAreSaved) {
    QPlainTextEdit memo;
    memo.setPlainText("line one\nline two\n");
    QApplication::clipboard()->setText("pasted");
    memo.moveCursor(QTextCursor::End);
    PasteCommand(&memo);
    memo.insertPlainText(" typed");
    answer = dir.filePath("edited.TXT");
    Run(memo.toPlainText());
    EXPECT_EQ(ReadFile(answer), "line one\r\nline two\r\npasted typed");
}

TEST_F(Save, AFailedCreateKeepsTheStatusTextAndThePreviousFile) {
    answer = dir.filePath("kept.TXT");
    Run("previous\n");
    answer = dir.filePath("missing/list.TXT");
    try {
        Run("new\n");
        FAIL() << "saved into a missing folder";
    } catch (const ECreateFileError& e) {
        EXPECT_EQ(e.message(), "Cannot create file " + answer);
    }
    EXPECT_EQ(panel.last(), "Daten speichern ...");
    EXPECT_EQ(ReadFile(dir.filePath("kept.TXT")), "previous\r\n");
}

TEST_F(Save, TheViewsCharactersAreSavedAsTheyAreInUtf8) {
    QPlainTextEdit memo;
    memo.setPlainText(QString::fromUtf8("12\u00A0345\tGr\u00F6\u00DFe\n"));
    memo.moveCursor(QTextCursor::End);
    memo.insertPlainText(QString(QChar::LineSeparator) + "after a soft break");
    answer = dir.filePath("nbsp.TXT");
    Run(ViewText(&memo));
    EXPECT_EQ(ReadFile(answer),
              "12\xC2\xA0"
              "345\tGr\xC3\xB6\xC3\x9F"
              "e\r\n\r\nafter a soft break");
}

}  // namespace
}  // namespace tabulist
