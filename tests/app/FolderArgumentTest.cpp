#include <gtest/gtest.h>

#include "app/FolderArgument.h"
#include "support/WindowTest.h"

namespace tabulist::test {
namespace {

// "Tabulist DIRECTORY" after a normal start-up: a folder (relative to where the program was
// started), a file's folder, and a name that is no folder, reported with the folder kept.
TEST(FolderArgument, OpensAFolderOrTheFolderOfAFileAndReportsAMissingOne) {
    WindowTest t;
    t.StartShown();
    THaupt& w = t.window();
    auto start = [&w](QByteArray argument) {
        QByteArray program("Tabulist");
        char* argv[] = {program.data(), argument.data(), nullptr};
        const std::optional<QByteArray> folder = FolderArgument(2, argv);
        ASSERT_TRUE(folder.has_value());
        OpenFolderLater(w, *folder);
        ProcessEvents();
    };
    QByteArray program("Tabulist");
    char* alone[] = {program.data(), nullptr};
    EXPECT_FALSE(FolderArgument(1, alone).has_value());
    // After "--", a folder may be named like an option.
    QByteArray dashes("--"), dashed("-sub");
    char* afterDashes[] = {program.data(), dashes.data(), dashed.data(), nullptr};
    EXPECT_EQ(FolderArgument(3, afterDashes), RealPath(t.files().root()) + "/-sub");

    start("sub");
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().path("sub"));
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral("inner.txt")));

    // A name that is not UTF-8 is opened by its bytes (below sub, so that the root's listing
    // stays the one compared at the end).
    t.files().dir("sub/raw\xff\xfe");
    t.files().file("sub/raw\xff\xfe/inside.txt");
    start(t.files().path("sub/raw\xff\xfe"));
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().path("sub/raw\xff\xfe"));
    EXPECT_TRUE(w.Memo1->toPlainText().contains(QStringLiteral("inside.txt")));
    t.files().setLocalTime("sub", 2020, 3, 1, 12, 0, 0);  // as the fixture made it

    start(t.files().path("alpha.txt"));
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().root());
    EXPECT_EQ(WithoutParentLine(w.Memo1->toPlainText()), DefaultListing);
    EXPECT_TRUE(ShownErrors().isEmpty()) << ShownErrors().join(QLatin1Char('|')).toStdString();

    const QString before = w.Memo1->toPlainText();
    start(t.files().path("missing"));
    EXPECT_EQ(ShownErrors(), QStringList{QStringLiteral("Directory not found: ") +
                                         t.files().pathText("missing") + QLatin1Char('.')});
    EXPECT_EQ(w.DirectoryListBox1->CurrentDirectoryRaw(), t.files().root());
    EXPECT_EQ(w.Memo1->toPlainText(), before);
}

}  // namespace
}  // namespace tabulist::test
