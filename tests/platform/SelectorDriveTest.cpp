#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QStringList>

#include "platform/DirectoryList.h"
#include "platform/DriveSelector.h"
#include "platform/Errors.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/SelectorTestSupport.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::RowTexts;
using Strings = std::vector<std::string>;

DriveTable MixedDrives() {
    return DriveTable::fromMounts({
        {"/", "ext4", "/dev/sda1", "", false},
        {"/mnt/share", "cifs", "//Server/Share", "", false},
        {"/data", "xfs", "/dev/sdb1", "DATA", false},
        {"/proc", "proc", "proc", "", false},
        {"/media/stick", "vfat", "/dev/sdc1", "STICK", false},
        {"/mnt/disc", "iso9660", "/dev/sr0", "", false},
        {"/scratch", "tmpfs", "tmpfs", "Scratch", false},
    });
}

TEST(DriveSelector, RowsPerDriveTypeAndTheirCase) {
    SKIP_ON_WINDOWS("drive letters from a Linux mount table; Windows drives: WindowsDrives");
    test::WorkingDirectoryGuard guard;
    test::ChangeDirectory("/");
    DriveSelector selector([] { return MixedDrives(); });
    EXPECT_EQ(selector.DriveLetter(), u'c');
    EXPECT_TRUE(selector.rows().empty());
    EXPECT_EQ(selector.Text(), "");

    selector.BuildDriveList();
    EXPECT_EQ(RowTexts(selector), QStringList({"c: [/]", "d: [data]", "e:", "f: [/mnt/disc]",
                                               "g: //server/share", "h: [scratch]"}));
    std::vector<DriveType> types;
    for (const DriveRow& row : selector.rows()) types.push_back(row.type);
    using T = DriveType;
    EXPECT_EQ(types, std::vector<DriveType>(
                         {T::Fixed, T::Fixed, T::Removable, T::CdRom, T::Network, T::RamDisk}));

    selector.SelectDrive(u'D');
    EXPECT_EQ(selector.DriveLetter(), u'd');
    EXPECT_EQ(selector.Text(), "d: [data]");

    // Upper case rewrites rows and letter; the same drive stays selected, quietly.
    int changes = 0;
    selector.OnChange = [&] { ++changes; };
    selector.setTextCase(TextCase::UpperCase);
    EXPECT_EQ(selector.DriveLetter(), u'D');
    EXPECT_EQ(selector.Text(), "D: [DATA]");
    EXPECT_EQ(RowTexts(selector).mid(4), QStringList({"G: //SERVER/SHARE", "H: [SCRATCH]"}));
    EXPECT_EQ(changes, 0);
}

TEST(DriveSelector, SelectDriveRules) {
    test::WorkingDirectoryGuard guard;
    test::ChangeDirectory("/");
    DriveSelector selector([] { return MixedDrives(); });
    test::NotificationLog log;
    selector.OnChange = log.record("drive");
    selector.BuildDriveList();

    selector.SelectDrive(u'c');  // no row selected yet: selects and reports
    EXPECT_EQ(selector.selectedRow(), 0);
    EXPECT_EQ(log.take(), Strings({"drive"}));
    selector.SelectDrive(u'C');  // the selected drive again: nothing
    EXPECT_TRUE(log.take().empty());

    selector.SelectDrive(u'x');  // no such row: the letter changes, the selection stays
    EXPECT_EQ(selector.DriveLetter(), u'x');
    EXPECT_EQ(selector.Text(), "c: [/]");
    EXPECT_EQ(log.take(), Strings({"drive"}));

    selector.SelectDrive(QChar());
    EXPECT_TRUE(selector.DriveLetter().isNull());
    EXPECT_EQ(selector.selectedRow(), -1);
    EXPECT_EQ(selector.Text(), "");
    EXPECT_EQ(log.take(), Strings({"drive"}));

    selector.BuildDriveList();  // a rebuild clears the selection
    selector.SelectDrive(u'e');
    EXPECT_EQ(selector.Text(), "e:");
    selector.BuildDriveList();
    EXPECT_EQ(selector.Text(), "");
}

// A selector linked to a list, both on a table of "/" and two fixture drives.
class LinkedSelectorTest : public ::testing::Test {
protected:
    void SetUp() override {
        first.dir("sub");
        test::ChangeDirectory(first.path("sub"));
        const DriveTable table = test::TableWithDrives({first.root(), second.root()});
        auto source = [table] { return table; };
        selector = std::make_unique<DriveSelector>(source);
        list = std::make_unique<DirectoryList>(source);
        selector->SetDirList(list.get());
        selector->OnChange = log.record("drive");
        list->OnChange = log.record("list");
        list->OnClick = log.record("click");
        home = selector->DriveLetter();
        away = home == u'd' ? u'e' : u'd';
        // Window creation: rows for both, then the selector reports its drive.
        list->BuildDirectoryRows();
        selector->BuildDriveList();
        selector->SelectDrive(selector->DriveLetter());
    }
    int rowOf(QChar letter) const {
        for (int row = 0; row < static_cast<int>(selector->rows().size()); ++row)
            if (selector->rows()[row].text[0] == letter) return row;
        return -1;
    }

    test::WorkingDirectoryGuard guard;
    Fixture first, second;
    test::NotificationLog log;
    std::unique_ptr<DriveSelector> selector;
    std::unique_ptr<DirectoryList> list;
    QChar home, away;
};

TEST_F(LinkedSelectorTest, NotificationOrderOfPicks) {
    // The first report leaves the list where it was.
    EXPECT_EQ(log.take(), Strings({"drive"}));
    EXPECT_EQ(list->CurrentDirectoryRaw(), test::RealPath(first.path("sub")));

    selector->Pick(rowOf(away));
    EXPECT_EQ(log.take(), Strings({"list", "drive", "drive"}));
    EXPECT_EQ(list->CurrentDirectoryRaw(), test::RealPath(second.root()));
    EXPECT_EQ(selector->DriveLetter(), away);

    selector->Pick(rowOf(away));
    EXPECT_EQ(log.take(), Strings({"drive"}));

    selector->Pick(rowOf(home));  // back to the remembered folder
    EXPECT_EQ(log.take(), Strings({"list", "drive", "drive"}));
    EXPECT_EQ(list->CurrentDirectoryRaw(), test::RealPath(first.path("sub")));
}

TEST_F(LinkedSelectorTest, PickOfADriveThatCannotBeEnteredKeepsTheNewDriveAndReportsNothing) {
    log.take();
    const QByteArray secondRoot = test::RealPath(second.root());
    const QByteArray before = list->CurrentDirectoryRaw();
    ASSERT_EQ(rmdir(secondRoot.constData()), 0);

    EXPECT_THROW(selector->Pick(rowOf(away)), EInOutError);
    EXPECT_TRUE(log.events.empty());
    EXPECT_EQ(selector->DriveLetter(), away);
    EXPECT_EQ(selector->selectedRow(), rowOf(away));
    EXPECT_EQ(list->CurrentDirectoryRaw(), before);

    // The same drive again: only the report after the pick; the list stays.
    selector->Pick(rowOf(away));
    EXPECT_EQ(log.take(), Strings({"drive"}));
    EXPECT_EQ(list->CurrentDirectoryRaw(), before);
    ASSERT_TRUE(QDir().mkdir(QString::fromUtf8(secondRoot)));  // for the fixture's clean-up
}

TEST_F(LinkedSelectorTest, DestroyedListIsUnlinked) {
    list.reset();
    EXPECT_EQ(selector->DirList(), nullptr);
    log.take();
    selector->Pick(rowOf(away));
    EXPECT_EQ(log.take(), Strings({"drive", "drive"}));
}

}  // namespace
}  // namespace tabulist
