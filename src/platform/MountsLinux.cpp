// The mounted file systems of a Linux system, with their labels, types and sizes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <QDir>
#include <climits>
#include <cstdlib>
#include <map>

#include "platform/DriveTable.h"
#include "platform/MountInfo.h"

namespace tabulist {
namespace {

QByteArray readWholeFile(const char* path) {
    QByteArray data;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return data;
    char buffer[16384];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0) data.append(buffer, n);
    close(fd);
    return data;
}

// Block device -> file-system label, from the links udev keeps.
std::map<dev_t, QString> labelsByDevice() {
    std::map<dev_t, QString> labels;
    const char* dirPath = "/dev/disk/by-label";
    DIR* dir = opendir(dirPath);
    if (!dir) return labels;
    while (dirent* e = readdir(dir)) {
        if (e->d_name[0] == '.') continue;
        struct stat st;
        if (fstatat(dirfd(dir), e->d_name, &st, 0) == 0 && S_ISBLK(st.st_mode))
            labels[st.st_rdev] = QString::fromUtf8(DecodeLabelLinkName(e->d_name));
    }
    closedir(dir);
    return labels;
}

// A partition has no removable flag of its own; its disk, one level up in sysfs, has.
bool isRemovableDevice(dev_t device) {
    const QByteArray node = "/sys/dev/block/" + QByteArray::number(major(device)) + ':' +
                            QByteArray::number(minor(device));
    char real[PATH_MAX];
    if (!realpath(node.constData(), real)) return false;
    const QByteArray path(real);
    QByteArray flag = readWholeFile((path + "/removable").constData());
    if (flag.isEmpty()) flag = readWholeFile((path + "/../removable").constData());
    return flag.trimmed() == "1";
}

dev_t deviceOf(const MountInfoLine& line) {
    struct stat st;
    const QByteArray source = line.record.source.toUtf8();
    if (source.startsWith("/dev/") && stat(source.constData(), &st) == 0 && S_ISBLK(st.st_mode))
        return st.st_rdev;
    return makedev(line.major, line.minor);
}

int64_t queryDrive(uint8_t drive, bool freeSpace) {
    if (drive > 26) return -1;
    const DriveTable table = DriveTable::system();
    const Drive* d = nullptr;
    if (drive == 0)
        d = table.driveOf(QDir::currentPath());
    else
        d = table.byLetter(QLatin1Char(char('a' + drive - 1)));
    if (!d) return -1;
    struct statvfs vfs;
    if (statvfs(d->root.toUtf8().constData(), &vfs) != 0) return -1;
    const auto blocks = freeSpace ? vfs.f_bavail : vfs.f_blocks;
    return int64_t(blocks) * int64_t(vfs.f_frsize);
}

}  // namespace

std::vector<MountRecord> DriveTable::systemMounts() {
    const std::map<dev_t, QString> labels = labelsByDevice();
    std::vector<MountRecord> mounts;
    for (MountInfoLine& line : ParseMountInfo(readWholeFile("/proc/self/mountinfo"))) {
        const dev_t device = deviceOf(line);
        if (const auto label = labels.find(device); label != labels.end())
            line.record.label = label->second;
        // Only real block devices have a removable flag; anonymous ones (major 0) do not.
        line.record.removableDevice = major(device) != 0 && isRemovableDevice(device);
        mounts.push_back(std::move(line.record));
    }
    return mounts;
}

DriveTable DriveTable::system() { return fromMounts(systemMounts()); }

int64_t QueryDriveSize(uint8_t drive) { return queryDrive(drive, false); }
int64_t QueryDriveFree(uint8_t drive) { return queryDrive(drive, true); }

}  // namespace tabulist
