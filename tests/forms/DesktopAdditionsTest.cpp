#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

bool Shows(THaupt& w, const char* name) {
    return w.Memo1->toPlainText().contains(QLatin1String(name));
}

// What a file manager hands over: a drag of the path's URL (its bytes percent-encoded), then
// its drop.
void DropOn(QWidget* target, const QByteArray& path) {
    QMimeData data;
    data.setUrls({QUrl::fromEncoded("file://" + path.toPercentEncoding("/"))});
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    enter.ignore();
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted()) << path.toStdString();
    QDropEvent drop(QPointF(at), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    drop.ignore();
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted()) << path.toStdString();
    ProcessEvents();
}

TEST(FolderDrop, AFolderListsItAndAFileListsItsFolderWithoutTouchingTheText) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();

    DropOn(w.Memo1->viewport(), t.files().path("sub"));
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().path("sub"));
    EXPECT_TRUE(Shows(w, "inner.txt"));
    EXPECT_FALSE(Shows(w, "alpha.txt"));
    EXPECT_FALSE(Shows(w, "file:"));  // the URL is not pasted into the text

    // A name that is not UTF-8 is opened by its bytes (below sub, so that the root's listing
    // stays the one compared at the end).
    t.files().dir("sub/raw\xff");
    t.files().file("sub/raw\xff/inside.txt");
    DropOn(&w, t.files().path("sub/raw\xff"));
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().path("sub/raw\xff"));
    EXPECT_TRUE(Shows(w, "inside.txt"));
    t.files().setLocalTime("sub", 2020, 3, 1, 12, 0, 0);  // as the fixture made it

    DropOn(&w, t.files().path("beta.dat"));
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().root());
    EXPECT_EQ(WithoutParentLine(w.Memo1->toPlainText()), DefaultListing);
    EXPECT_TRUE(ShownErrors().isEmpty()) << ShownErrors().join(QLatin1Char('|')).toStdString();
    EXPECT_FALSE(OptionsChanged);
}

TEST(Refresh, CtrlRListsAgainAndShowsAFileThatAppeared) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    EXPECT_EQ(w.Ansicht1->actions().back(), w.RefreshItem);
    EXPECT_EQ(w.RefreshItem->text(), QStringLiteral("&Refresh"));
    ASSERT_FALSE(Shows(w, "gamma.txt"));

    t.files().file("gamma.txt", 7);
    t.files().setLocalTime("gamma.txt", 2024, 1, 2, 3, 4, 6);
    t.StampFixedTimes();
    const int started = w.ListingsStarted();
    QTest::keyClick(w.Memo1, Qt::Key_R, Qt::ControlModifier);
    ProcessEvents();
    EXPECT_EQ(w.ListingsStarted(), started + 1);
    EXPECT_TRUE(Shows(w, "gamma.txt"));
    EXPECT_EQ(WithoutParentLine(w.Memo1->toPlainText()),
              QStringLiteral("[.]                            \t\t        0\t06/15/21 09:30:00\n"
                             "alpha.txt                      \tA \t       10\t05/01/01 13:04:06\n"
                             "beta.dat                       \tA \t     2000\t12/31/99 23:59:58\n"
                             "gamma.txt                      \tA \t        7\t01/02/24 03:04:06\n"
                             "[sub]                          \t\t        0\t03/01/20 12:00:00\n"
                             "\n"
                             "founded files:                \t3\n"
                             "founded directories:\t3\n"));
    EXPECT_FALSE(OptionsChanged);
}

// A listing is one step of the text's history: undo brings back the text the user had
// edited, redo the listing; an edit after an undo ends what could be redone.
TEST(ListingUndo, UndoBringsBackTheEditedTextAndRedoTheListing) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    TMemo* memo = w.Memo1;
    auto key = [memo](Qt::Key k) {
        QTest::keyClick(memo, k, Qt::ControlModifier);
        return memo->toPlainText();
    };
    memo->setFocus();
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("my note"));
    const QString edited = memo->toPlainText();
    ASSERT_TRUE(edited.endsWith(QStringLiteral("my note")));

    t.files().file("gamma.txt", 7);
    w.RefreshItem->trigger();
    const QString listed = memo->toPlainText();
    ASSERT_TRUE(listed.contains(QStringLiteral("gamma.txt")));
    ASSERT_FALSE(listed.contains(QStringLiteral("my note")));

    EXPECT_EQ(key(Qt::Key_Z), edited);
    EXPECT_EQ(key(Qt::Key_Y), listed);
    EXPECT_EQ(key(Qt::Key_Y), listed);  // nothing further to redo
    EXPECT_EQ(key(Qt::Key_Z), edited);
    // The edits keep their own steps beneath the listing's.
    EXPECT_NE(key(Qt::Key_Z), edited);
    EXPECT_EQ(key(Qt::Key_Y), edited);
    memo->moveCursor(QTextCursor::End);
    QTest::keyClicks(memo, QStringLiteral("!"));
    EXPECT_EQ(key(Qt::Key_Y), edited + QLatin1Char('!'));  // the listing is no longer ahead
}

TEST(ListingUndo, OnlyTheLastListingsCanBeUndone) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    QStringList texts{w.Memo1->toPlainText()};
    for (const char* name : {"one.txt", "two.txt", "three.txt"}) {
        t.files().file(name, 1);
        w.RefreshItemClick();
        texts.append(w.Memo1->toPlainText());
    }
    w.Memo1->setFocus();
    for (int step = 1; step <= TMemo::MaxListingSteps + 2; ++step) {
        QTest::keyClick(w.Memo1, Qt::Key_Z, Qt::ControlModifier);
        const int back = std::min(step, TMemo::MaxListingSteps);
        EXPECT_EQ(w.Memo1->toPlainText(), texts[texts.size() - 1 - back]) << step;
    }
}

}  // namespace
}  // namespace tabulist::test
