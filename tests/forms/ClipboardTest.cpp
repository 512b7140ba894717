#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include "forms/OutputCommands/ClipboardCommands.h"

namespace tabulist {
namespace {

// The view and another control that can hold the focus, in a shown window.
class Clipboard : public ::testing::Test {
protected:
    QWidget window;
    QPlainTextEdit* memo = new QPlainTextEdit(&window);
    QLineEdit* other = new QLineEdit(&window);

    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(memo);
        layout->addWidget(other);
        memo->setPlainText("first line\nsecond line");
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        other->setFocus();
    }
};

TEST_F(Clipboard, SelectAllTakesTheFocusAndTheWholeText) {
    SelectAllCommand(memo);
    EXPECT_TRUE(memo->hasFocus());
    EXPECT_EQ(memo->textCursor().selectedText(),
              QString("first line") + QChar::ParagraphSeparator + "second line");
}

TEST_F(Clipboard, CopyTakesTheSelectionOnlyAndLeavesTheFocus) {
    QApplication::clipboard()->setText("before");
    CopyCommand(memo);  // nothing selected
    EXPECT_EQ(QApplication::clipboard()->text(), "before");

    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(16, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
    CopyCommand(memo);
    EXPECT_EQ(QApplication::clipboard()->text(), "line\nsecon");
    EXPECT_TRUE(other->hasFocus());
}

TEST_F(Clipboard, PasteReplacesTheSelectionAndIgnoresAClipboardWithoutText) {
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(0);
    cursor.setPosition(5, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);

    auto* image = new QMimeData;
    image->setData("image/png", "not text");
    QApplication::clipboard()->setMimeData(image);
    PasteCommand(memo);
    EXPECT_EQ(memo->toPlainText(), "first line\nsecond line");

    QApplication::clipboard()->setText("one\ntwo");
    PasteCommand(memo);
    EXPECT_EQ(memo->toPlainText(), "one\ntwo line\nsecond line");
    EXPECT_TRUE(other->hasFocus());
}

}  // namespace
}  // namespace tabulist
