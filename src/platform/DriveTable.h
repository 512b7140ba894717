#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace tabulist {

enum class DriveType { Removable, Fixed, Network, CdRom, RamDisk };
enum class TextCase { LowerCase, UpperCase };

// One mounted file system as the mount list reports it.
struct MountRecord {
    QString mountPoint;            // "/", "/home", "/media/usb"
    QString fsType;                // "ext4", "tmpfs", "nfs4", ...
    QString source;                // "/dev/sda1", "//server/share", "server:/export"
    QString label;                 // file-system label, empty when it has none
    bool removableDevice = false;  // the block device reports itself removable
};

// One drive offered by the drive selector.
struct Drive {
    QChar letter;  // lower case, 'c' to 'z'
    DriveType type;
    QString root;        // the mount point; on Windows "C:/"
    QString label;       // the label, or (Linux) the mount point when there is none
    QString remoteName;  // network drives: the mount source or the share
};

class DriveTable {
public:
    // Applies the rules: pseudo file systems and mounts below /proc, /sys, /dev and /run
    // (except /run/media) left out; "c" for "/", then "d" to "z" in mount-point order.
    static DriveTable fromMounts(std::vector<MountRecord> mounts);
    // Drives the system names itself (Windows' letters), kept as they are.
    static DriveTable fromDrives(std::vector<Drive> drives);
    // The mounts of this machine, read from /proc/self/mountinfo (Linux).
    static std::vector<MountRecord> systemMounts();
    // The table of this machine's drives, read afresh: its mounts on Linux, its drive
    // letters on Windows.
    static DriveTable system();

    const std::vector<Drive>& drives() const { return drives_; }
    const Drive* byLetter(QChar letter) const;  // either case
    // Longest mount-point prefix; a drive letter matches in either case.
    const Drive* driveOf(const QString& path) const;

    // The selector's row text: "c: [label]" (fixed, CD-ROM, RAM disk), "c:" (removable),
    // "c: //server/share" (network); letter and label in the given case.
    static QString rowText(const Drive& drive, TextCase textCase);

private:
    std::vector<Drive> drives_;
};

// Drive number 0 is the drive of the working directory, 1 to 26 the letters a to z.
// Total bytes and bytes available to the user, from statvfs of the drive's root; -1 on failure.
int64_t QueryDriveSize(uint8_t drive);
int64_t QueryDriveFree(uint8_t drive);

}  // namespace tabulist
