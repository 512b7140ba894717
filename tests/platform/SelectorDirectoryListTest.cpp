#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QStringList>

#include "platform/DirectoryList.h"
#include "platform/Errors.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/SelectorTestSupport.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::RowTexts;
using Strings = std::vector<std::string>;

// A list on a fixture that is a drive (d:) of its own, started in the given folder.
class DirectoryListTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = test::RealPath(fx.root());
        rootText = QString::fromUtf8(root);
    }
    std::unique_ptr<DirectoryList> listIn(const QByteArray& dir) {
        test::ChangeDirectory(dir);
        const DriveTable table = test::TableWithDrives({root});
        auto list = std::make_unique<DirectoryList>([table] { return table; });
        list->OnChange = log.record("change");
        list->OnClick = log.record("click");
        list->BuildDirectoryRows();
        return list;
    }

    test::WorkingDirectoryGuard guard;
    Fixture fx;
    QByteArray root;
    QString rootText;
    test::NotificationLog log;
};

TEST_F(DirectoryListTest, RootRowsSortedWithoutHiddenOrFiles) {
    SKIP_ON_WINDOWS("names that differ only in case, hidden dot-names and links are Linux's");
    for (const char* name : {"Gamma", "alpha", "Beta", ".hidden", "docs", "Docs"}) fx.dir(name);
    fx.file("file.txt");
    fx.symlink("link", "alpha");  // a link to a directory is a directory
    auto list = listIn(root);

    EXPECT_EQ(list->CurrentDirectory(), rootText);
    // Linux names are case-sensitive: docs and Docs are two directories, both reachable.
    EXPECT_EQ(RowTexts(*list),
              QStringList({rootText + "/", "alpha", "Beta", "Docs", "docs", "Gamma", "link"}));
    EXPECT_EQ(list->rows()[0].kind, DirRowKind::Current);
    EXPECT_EQ(list->rows()[1].kind, DirRowKind::Subdirectory);
    EXPECT_EQ(list->RowPath(0), rootText);
    EXPECT_EQ(list->RowPath(2), rootText + "/Beta");
    EXPECT_EQ(list->RowPath(list->RowCount()), "");
    EXPECT_EQ(list->RowPath(-1), "");
    EXPECT_EQ(list->highlighted(), 0);
    EXPECT_EQ(list->rowIndent(0), 2);
    EXPECT_EQ(list->rowIndent(1), 6);
    EXPECT_TRUE(log.events.empty());
}

TEST_F(DirectoryListTest, NestedRowsAndTheirPaths) {
    fx.dir("win");
    fx.dir("win/sys");
    fx.dir("win/sys/fonts");
    fx.dir("win/sys/drivers");
    auto list = listIn(fx.path("win/sys"));

    EXPECT_EQ(RowTexts(*list), QStringList({QDir::toNativeSeparators(rootText + "/"), "win", "sys",
                                            "drivers", "fonts"}));
    std::vector<DirRowKind> kinds;
    for (const DirRow& row : list->rows()) kinds.push_back(row.kind);
    using K = DirRowKind;
    EXPECT_EQ(kinds, std::vector<DirRowKind>(
                         {K::Root, K::Ancestor, K::Current, K::Subdirectory, K::Subdirectory}));
    EXPECT_EQ(list->RowPath(0), rootText);
    EXPECT_EQ(list->RowPath(1), rootText + "/win");
    EXPECT_EQ(list->RowPath(2), rootText + "/win/sys");
    EXPECT_EQ(list->RowPath(4), rootText + "/win/sys/fonts");
    EXPECT_EQ(list->RowPath(5), "");
    EXPECT_EQ(list->highlighted(), 2);
    // Root, ancestors and current step 4 pixels each; subdirectories one step past current.
    EXPECT_EQ(list->rowIndent(1), 6);
    EXPECT_EQ(list->rowIndent(2), 10);
    EXPECT_EQ(list->rowIndent(3), 14);
}

TEST_F(DirectoryListTest, OnTheRootDriveEveryFolderIsAnAncestor) {
    SKIP_ON_WINDOWS("the root of a Linux system; Windows drive roots: WindowsDrives");
    fx.dir("sub");
    test::ChangeDirectory(fx.path("sub"));
    const DriveTable table = test::TableWithDrives({});
    DirectoryList list([table] { return table; });
    list.BuildDirectoryRows();

    const QByteArray sub = test::RealPath(fx.path("sub"));
    const QList<QByteArray> parts = sub.mid(1).split('/');
    ASSERT_EQ(list.RowCount(), parts.size() + 1);
    EXPECT_EQ(list.rows()[0].text, "/");
    EXPECT_EQ(list.RowPath(0), "/");
    EXPECT_EQ(list.RowPath(1), "/" + QString::fromUtf8(parts[0]));
    EXPECT_EQ(list.RowPath(list.RowCount() - 1), QString::fromUtf8(sub));
    EXPECT_EQ(list.rows().back().kind, DirRowKind::Current);
}

TEST_F(DirectoryListTest, OpeningMovesRebuildsAndReportsOnce) {
    fx.dir("a");
    fx.dir("a/b");
    auto list = listIn(root);

    list->OpenDirectory(list->RowPath(0));  // the current row
    list->OpenDirectory(rootText + "/");
    list->OpenDirectory(QString());
    EXPECT_TRUE(log.take().empty());

    list->OpenDirectory(list->RowPath(1));
    EXPECT_EQ(log.take(), Strings({"change"}));
    EXPECT_EQ(list->CurrentDirectory(), rootText + "/a");
    EXPECT_EQ(RowTexts(*list), QStringList({QDir::toNativeSeparators(rootText + "/"), "a", "b"}));
    EXPECT_EQ(list->highlighted(), 1);
    EXPECT_EQ(test::RealPath("."), root + "/a");

    // Back up through the root row.
    list->OpenDirectory(list->RowPath(0));
    EXPECT_EQ(log.take(), Strings({"change"}));
    EXPECT_EQ(list->CurrentDirectory(), rootText);
}

TEST_F(DirectoryListTest, ClickHighlightsWithoutMovingDoubleClickOpens) {
    fx.dir("a");
    fx.dir("b");
    auto list = listIn(root);

    list->UserHighlight(2);
    EXPECT_EQ(log.take(), Strings({"click"}));
    EXPECT_EQ(list->CurrentDirectory(), rootText);
    EXPECT_TRUE(list->Selected(2));
    EXPECT_FALSE(list->Selected(0));

    list->OpenHighlighted();
    EXPECT_EQ(log.take(), Strings({"change"}));
    EXPECT_EQ(list->CurrentDirectory(), rootText + "/b");

    list->OpenHighlighted();  // now the current row
    EXPECT_TRUE(log.take().empty());
}

TEST_F(DirectoryListTest, NoHighlightMakesTheRowSearchRunPastTheEnd) {
    fx.dir("a");
    auto list = listIn(root);
    list->setHighlighted(-1);
    for (int row = 0; row < list->RowCount(); ++row) EXPECT_FALSE(list->Selected(row));
    try {
        list->Selected(list->RowCount());
        FAIL() << "no error past the last row";
    } catch (const EListError& e) {
        EXPECT_EQ(e.message(), QStringLiteral("List index out of bounds (%1)").arg(2));
    }
}

TEST_F(DirectoryListTest, FailedMoveLeavesEverythingAsItWas) {
    fx.dir("gone");
    fx.dir("locked");
    fx.dir("stay");
    auto list = listIn(root);
    const QStringList rowsBefore = RowTexts(*list);
    list->UserHighlight(1);
    log.take();

    fx.remove("gone");
    try {
        list->OpenHighlighted();
        FAIL() << "moved into a removed directory";
    } catch (const EInOutError& e) {
        EXPECT_EQ(e.code(), 2);
        EXPECT_EQ(e.message(), "File not found");
    }
    EXPECT_EQ(list->CurrentDirectory(), rootText);
    EXPECT_EQ(RowTexts(*list), rowsBefore);
    EXPECT_EQ(list->highlighted(), 1);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(test::RealPath("."), root);

#ifndef _WIN32
    // A folder that may not be entered stays listed; opening it is the same failure.
    // Root passes permission bits, so this half needs an ordinary user.
    if (geteuid() != 0) {
        fx.setMode("locked", 0);
        list->BuildDirectoryRows();
        EXPECT_TRUE(RowTexts(*list).contains("locked"));
        try {
            list->OpenDirectory(list->RowPath(RowTexts(*list).indexOf("locked")));
            FAIL() << "moved into a directory without search permission";
        } catch (const EInOutError& e) {
            EXPECT_EQ(e.message(), "File access denied");
        }
        EXPECT_EQ(list->CurrentDirectory(), rootText);
        EXPECT_TRUE(log.events.empty());
    }
#endif
}

TEST_F(DirectoryListTest, NameThatIsNotUtf8IsEnteredByItsOwnBytes) {
    SKIP_ON_WINDOWS("Windows names are UTF-16: no undecodable bytes");
    const QByteArray raw("caf\xe9");  // Latin-1, not UTF-8
    fx.dir(raw);
    fx.dir(raw + "/inner");
    auto list = listIn(root);
    ASSERT_EQ(list->RowCount(), 2);
    EXPECT_EQ(list->rows()[1].text, QString("caf") + QChar(0xFFFD));

    list->OpenDirectory(list->RowPath(1));
    EXPECT_EQ(list->CurrentDirectoryRaw(), root + "/" + raw);
    EXPECT_EQ(RowTexts(*list).last(), "inner");
    EXPECT_EQ(list->RowRawPath(1), root + "/" + raw);
}

TEST_F(DirectoryListTest, SwitchDriveRemembersEachDrivesDirectory) {
    Fixture other;
    other.dir("x");
    fx.dir("a");
    fx.dir("a/deep");
    test::ChangeDirectory(fx.path("a"));
    const DriveTable table = test::TableWithDrives({root, other.root()});
    DirectoryList list([table] { return table; });
    list.OnChange = log.record("change");
    list.BuildDirectoryRows();
    const QChar home = list.driveLetter();
    const QChar away = home == u'd' ? u'e' : u'd';

    list.SwitchDrive(home.toUpper());  // the drive it is on: nothing
    EXPECT_TRUE(log.take().empty());

    list.SwitchDrive(away);  // a drive not yet visited starts at its root
    EXPECT_EQ(log.take(), Strings({"change"}));
    EXPECT_EQ(list.CurrentDirectoryRaw(), test::RealPath(other.root()));
    list.OpenDirectory(list.RowPath(1));
    log.take();

    list.SwitchDrive(home);
    EXPECT_EQ(list.CurrentDirectoryRaw(), root + "/a");
    list.SwitchDrive(away);
    EXPECT_EQ(list.CurrentDirectoryRaw(), test::RealPath(other.path("x")));
    log.take();

    // A remembered directory that went away sends the list to the drive's root.
    list.OpenDirectory(list.RowPath(0));
    list.SwitchDrive(home);
    list.OpenDirectory(list.RowPath(list.RowCount() - 1));  // a/deep
    list.SwitchDrive(away);
    fx.remove("a/deep");
    log.take();
    list.SwitchDrive(home);
    EXPECT_EQ(log.take(), Strings({"change"}));
    EXPECT_EQ(list.CurrentDirectoryRaw(), root);

    // A letter with no drive behind it is a failed move.
    EXPECT_THROW(list.SwitchDrive(u'q'), EInOutError);
    EXPECT_EQ(list.CurrentDirectoryRaw(), root);
    EXPECT_TRUE(log.events.empty());
}

}  // namespace
}  // namespace tabulist
