#include <gtest/gtest.h>

#include <QStringList>

#include "platform/DriveTable.h"
#include "platform/MountInfo.h"

namespace tabulist {
namespace {

MountRecord mount(const char* point, const char* type, const char* source = "/dev/sda1",
                  const char* label = "", bool removable = false) {
    return {point, type, source, label, removable};
}

QStringList rows(const DriveTable& table, TextCase textCase = TextCase::LowerCase) {
    QStringList out;
    for (const Drive& d : table.drives()) out << DriveTable::rowText(d, textCase);
    return out;
}

DriveTable sampleTable() {
    return DriveTable::fromMounts({
        mount("/srv/data", "xfs", "/dev/sdb1", "Data"),
        mount("/proc", "proc", "proc"),
        mount("/mnt/nas", "nfs4", "Nas:/Export"),
        mount("/", "ext4", "/dev/sda1", "System"),
        mount("/dev/shm", "tmpfs", "tmpfs"),
        mount("/run/user/1000", "tmpfs", "tmpfs"),
        mount("/run/media/me/STICK", "vfat", "/dev/sdc1", "STICK"),
        mount("/home", "ext4", "/dev/sda2"),
        mount("/media/cdrom", "iso9660", "/dev/sr0", "DISC"),
        mount("/tmp", "tmpfs", "tmpfs"),
        mount("/sys/fs/cgroup", "cgroup2", "cgroup2"),
        mount("/var/lib/x", "debugfs", "debugfs"),
        mount("/mnt/share", "cifs", "//Server/Share"),
        mount("/boot/efi", "vfat", "/dev/sda3", "EFI", true),
    });
}

TEST(DriveTable, LettersByMountPointWithRowTextsByType) {
    const DriveTable table = sampleTable();
    EXPECT_EQ(rows(table), QStringList({
                               "c: [system]",
                               "d:",  // removable device: no label shown
                               "e: [/home]",
                               "f: [disc]",
                               "g: nas:/export",
                               "h: //server/share",
                               "i:",
                               "j: [data]",
                               "k: [/tmp]",
                           }));
    EXPECT_EQ(rows(table, TextCase::UpperCase).mid(0, 5),
              QStringList({"C: [SYSTEM]", "D:", "E: [/HOME]", "F: [DISC]", "G: NAS:/EXPORT"}));

    std::vector<DriveType> types;
    for (const Drive& d : table.drives()) types.push_back(d.type);
    using T = DriveType;
    EXPECT_EQ(types, std::vector<DriveType>({T::Fixed, T::Removable, T::Fixed, T::CdRom, T::Network,
                                             T::Network, T::Removable, T::Fixed, T::RamDisk}));
    EXPECT_EQ(table.byLetter('H')->remoteName, "//Server/Share");
    EXPECT_EQ(table.byLetter('e')->root, "/home");
    EXPECT_EQ(table.byLetter('a'), nullptr);
    EXPECT_EQ(table.byLetter('l'), nullptr);
}

TEST(DriveTable, NetworkDriveWithoutRemoteNameShowsItsLabel) {
    Drive d{'g', DriveType::Network, "/mnt/x", "Share", ""};
    EXPECT_EQ(DriveTable::rowText(d, TextCase::LowerCase), "g: [share]");
}

TEST(DriveTable, PathBelongsToTheLongestMountPointPrefix) {
    const DriveTable table = DriveTable::fromMounts({
        mount("/", "ext4"),
        mount("/home", "ext4"),
        mount("/home/me/mnt", "ext4"),
        mount("/proc", "proc"),
    });
    EXPECT_EQ(table.driveOf("/")->letter, 'c');
    EXPECT_EQ(table.driveOf("/home")->letter, 'd');
    EXPECT_EQ(table.driveOf("/home/me")->letter, 'd');
    EXPECT_EQ(table.driveOf("/home/me/mnt/x")->letter, 'e');
    EXPECT_EQ(table.driveOf("/homework")->letter, 'c');
    EXPECT_EQ(table.driveOf("/home/me/mntx")->letter, 'd');
    EXPECT_EQ(table.driveOf("/proc/self")->letter, 'c');  // left-out mounts own nothing
}

TEST(DriveTable, WithoutRootMountCStaysFreeAndLettersEndAtZ) {
    std::vector<MountRecord> mounts;
    for (int i = 0; i < 30; ++i)
        mounts.push_back(mount(qPrintable(QString("/m/%1").arg(i, 2, 10, QChar('0'))), "ext4"));
    mounts.push_back(mount("/m/05", "xfs", "/dev/other", "Over"));  // mounted over again
    const DriveTable table = DriveTable::fromMounts(mounts);
    ASSERT_EQ(table.drives().size(), 23u);
    EXPECT_EQ(table.drives().front().letter, 'd');
    EXPECT_EQ(table.drives().front().root, "/m/00");
    EXPECT_EQ(table.drives().back().letter, 'z');
    EXPECT_EQ(table.drives().back().root, "/m/22");
    EXPECT_EQ(table.byLetter('i')->label, "Over");
    EXPECT_EQ(DriveTable::fromMounts({}).driveOf("/x"), nullptr);
}

TEST(MountInfo, ParsesLinesAndDecodesEscapes) {
    const QByteArray text =
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "30 22 8:17 / /media/my\\040stick rw master:2 - vfat /dev/sdb1 rw\n"
        "31 22 0:40 / /mnt/back\\134slash rw - cifs //srv/a\\040b rw\n"
        "garbage line\n"
        "32 22 0:41 / /mnt/nodash rw\n";
    const auto lines = ParseMountInfo(text);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].record.mountPoint, "/");
    EXPECT_EQ(lines[0].record.fsType, "ext4");
    EXPECT_EQ(lines[0].major, 8u);
    EXPECT_EQ(lines[0].minor, 1u);
    EXPECT_EQ(lines[1].record.mountPoint, "/media/my stick");
    EXPECT_EQ(lines[1].record.source, "/dev/sdb1");
    EXPECT_EQ(lines[2].record.mountPoint, "/mnt/back\\slash");
    EXPECT_EQ(lines[2].record.source, "//srv/a b");
    EXPECT_EQ(lines[2].minor, 40u);
}

TEST(MountInfo, LabelLinkNamesDecodeHexEscapes) {
    EXPECT_EQ(DecodeLabelLinkName("My\\x20Disk"), "My Disk");
    EXPECT_EQ(DecodeLabelLinkName("odd\\x2"), "odd\\x2");
}

TEST(DriveQueries, FreeLettersAndBadNumbersFail) {
    for (uint8_t n : {uint8_t(1), uint8_t(2), uint8_t(27), uint8_t(255)}) {
        EXPECT_EQ(QueryDriveSize(n), -1) << int(n);
        EXPECT_EQ(QueryDriveFree(n), -1) << int(n);
    }
}

TEST(DriveQueries, WorkingDirectoryDriveHasSizeAndFreeSpace) {
    const int64_t size = QueryDriveSize(0);
    const int64_t free = QueryDriveFree(0);
    ASSERT_GT(size, 0);
    EXPECT_GE(free, 0);
    EXPECT_LE(free, size);
}

}  // namespace
}  // namespace tabulist
