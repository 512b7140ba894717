#include <gtest/gtest.h>
#include <unistd.h>

#include "platform/Errors.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

bool Shows(THaupt& w, const QString& text) { return w.Memo1->toPlainText().contains(text); }

// The directory the list stands in is removed behind its back: a listing finds nothing,
// a move below it is refused with a message, and a move elsewhere still works.
TEST(WindowDirectory, WorkingDirectoryRemovedWhileShown) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    w.DirectoryListBox1->OpenDirectory(t.files().pathText("sub"));
    ProcessEvents();
    ASSERT_TRUE(Shows(w, QStringLiteral("inner.txt")));
    t.files().remove("sub/inner.txt");
    t.files().remove("sub");

    w.BuildListing();
    EXPECT_TRUE(Shows(w, QStringLiteral("no files founded")))
        << w.Memo1->toPlainText().toStdString();
    try {
        w.DirectoryListBox1->OpenDirectory(t.files().pathText("sub/deeper"));
        ADD_FAILURE() << "a move below the removed directory went through";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("File not found"));
    }
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().path("sub"));
    EXPECT_TRUE(ShownErrors().isEmpty());

    w.DirectoryListBox1->OpenDirectory(t.listedDirectory());
    ProcessEvents();
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().root());
    EXPECT_TRUE(Shows(w, QStringLiteral("alpha.txt")));
}

// Started in a directory whose name is not UTF-8 or holds a line end: the first listing
// reaches it by its bytes, and the path panel stays one line.
TEST(WindowDirectory, StartedInADirectoryNamedWithBadBytes) {
    WindowTest t;
    const QByteArray name("bad-\xff\nline");
    t.files().dir(name);
    t.files().file(name + "/inside.txt", 4);
    ASSERT_EQ(chdir(t.files().path(name).constData()), 0);
    t.StartShown();
    THaupt& w = t.window();
    EXPECT_TRUE(Shows(w, QStringLiteral("inside.txt"))) << w.Memo1->toPlainText().toStdString();
    EXPECT_TRUE(w.StatusBar1->PanelText(3).endsWith(QString::fromUtf8("bad-\xef\xbf\xbd?line/*.*")))
        << w.StatusBar1->PanelText(3).toStdString();
}

}  // namespace
}  // namespace tabulist::test
