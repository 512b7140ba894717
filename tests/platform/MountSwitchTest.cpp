#include <gtest/gtest.h>
#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "platform/DirectoryList.h"
#include "platform/DriveSelector.h"
#include "support/Fixture.h"
#include "support/SelectorTestSupport.h"

namespace tabulist {
namespace {

using Strings = std::vector<std::string>;

// Linked selector and list, started in the fixture's root, over the given drive table.
struct LinkedSelectors {
    explicit LinkedSelectors(DriveSelector::TableSource source) : selector(source), list(source) {
        selector.SetDirList(&list);
        selector.BuildDriveList();
        selector.SelectDrive(selector.DriveLetter());
        list.BuildDirectoryRows();
        selector.OnChange = log.record("drive");
        list.OnChange = log.record("directory");
    }
    DriveSelector selector;
    DirectoryList list;
    test::NotificationLog log;
};

// Moving into a mount point and back out through the drive selector.
void ExpectMountSwitch(LinkedSelectors& s, const QByteArray& mountPoint) {
    const QChar home = s.list.driveLetter();
    const QString homeRow = s.selector.Text();
    s.list.OpenDirectory(QString::fromUtf8(mountPoint));
    const QChar away = s.list.driveLetter();
    EXPECT_NE(away, home);
    EXPECT_EQ(s.selector.DriveLetter(), away);
    EXPECT_TRUE(s.selector.Text().startsWith(QString(away) + u':'))
        << s.selector.Text().toStdString();
    EXPECT_EQ(s.list.rows()[0].text, QString::fromUtf8(mountPoint) + u'/');
    EXPECT_EQ(s.list.RowPath(0), QString::fromUtf8(mountPoint));
    EXPECT_EQ(s.log.take(), Strings({"directory", "drive"}));

    // Each drive remembers where the list was on it.
    int homeIndex = -1;
    for (size_t row = 0; row < s.selector.rows().size(); ++row)
        if (s.selector.rows()[row].text == homeRow) homeIndex = int(row);
    s.selector.Pick(homeIndex);
    EXPECT_EQ(s.list.driveLetter(), home);
    EXPECT_EQ(s.list.CurrentDirectoryRaw(), test::RealPath(mountPoint + "/.."));
    s.selector.SelectDrive(away);
    EXPECT_EQ(s.list.CurrentDirectoryRaw(), mountPoint);
}

TEST(MountSwitch, OpeningAMountPointSwitchesToItsDriveInASyntheticTable) {
    test::WorkingDirectoryGuard guard;
    test::Fixture fx;
    fx.dir("mnt");
    const QByteArray root = test::RealPath(fx.root());
    test::ChangeDirectory(root);
    // The fixture is drive d, its folder "mnt" drive e.
    const DriveTable table = test::TableWithDrives({root, root + "/mnt"});
    LinkedSelectors s([table] { return table; });
    ASSERT_EQ(s.list.driveLetter(), u'd');
    ExpectMountSwitch(s, root + "/mnt");
    EXPECT_EQ(s.list.driveLetter(), u'e');
}

TEST(MountSwitch, OpeningARealBindMountSwitchesToItsDrive) {
    test::WorkingDirectoryGuard guard;
    test::Fixture fx;
    test::Fixture source;
    fx.dir("mnt");
    const QByteArray point = test::RealPath(fx.path("mnt"));
    if (mount(test::RealPath(source.root()).constData(), point.constData(), nullptr, MS_BIND,
              nullptr) != 0)
        GTEST_SKIP() << "cannot make a bind mount here: " << std::strerror(errno);
    struct Unmount {
        QByteArray point;
        ~Unmount() { umount2(point.constData(), MNT_DETACH); }
    } unmount{point};
    const DriveTable table = DriveTable::system();
    const Drive* drive = table.driveOf(QString::fromUtf8(point));
    if (drive == nullptr || drive->root != QString::fromUtf8(point))
        GTEST_SKIP() << "the bind mount got no drive letter (more mounts than letters)";
    test::ChangeDirectory(test::RealPath(fx.root()));
    LinkedSelectors s(&DriveTable::system);
    ExpectMountSwitch(s, point);
    EXPECT_EQ(s.list.driveLetter(), drive->letter);
}

}  // namespace
}  // namespace tabulist
