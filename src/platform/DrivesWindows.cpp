// The drive letters of a Windows system, with their types, volume names and sizes.
// windows.h (through WindowsCalls.h) comes before the network calls' header.
#include "platform/WindowsCalls.h"
//
#include <winnetwk.h>

#include <QDir>

#include "platform/DriveTable.h"

namespace tabulist {
namespace {

DriveType TypeOf(UINT systemType) {
    switch (systemType) {
        case DRIVE_REMOVABLE:
            return DriveType::Removable;
        case DRIVE_REMOTE:
            return DriveType::Network;
        case DRIVE_CDROM:
            return DriveType::CdRom;
        case DRIVE_RAMDISK:
            return DriveType::RamDisk;
        default:
            return DriveType::Fixed;
    }
}

QString VolumeName(const wchar_t* root) {
    wchar_t name[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root, name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0))
        return QString();
    return QString::fromWCharArray(name);
}

// The share a mapped drive stands for ("\\server\share").
QString RemoteName(wchar_t letter) {
    const wchar_t local[] = {letter, L':', 0};
    wchar_t remote[MAX_PATH + 1];
    DWORD size = MAX_PATH + 1;
    if (WNetGetConnectionW(local, remote, &size) != NO_ERROR) return QString();
    return QString::fromWCharArray(remote);
}

int64_t QueryDrive(uint8_t drive, bool freeSpace) {
    if (drive > 26) return -1;
    std::wstring root;
    if (drive == 0) {
        const QByteArray current = QDir::currentPath().toUtf8();
        wchar_t volume[MAX_PATH + 1];
        if (!GetVolumePathNameW(WidePath(current).c_str(), volume, MAX_PATH + 1)) return -1;
        root = volume;
    } else {
        root = {wchar_t(L'A' + drive - 1), L':', L'\\'};
    }
    ULARGE_INTEGER available, total;
    if (!GetDiskFreeSpaceExW(root.c_str(), &available, &total, nullptr)) return -1;
    return int64_t(freeSpace ? available.QuadPart : total.QuadPart);
}

}  // namespace

DriveTable DriveTable::system() {
    std::vector<Drive> drives;
    const DWORD present = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(present & (1u << i))) continue;
        const wchar_t letter = wchar_t(L'A' + i);
        const wchar_t root[] = {letter, L':', L'\\', 0};
        const UINT systemType = GetDriveTypeW(root);
        if (systemType == DRIVE_NO_ROOT_DIR || systemType == DRIVE_UNKNOWN) continue;
        Drive drive{QLatin1Char(char('a' + i)),
                    TypeOf(systemType),
                    QString(QLatin1Char(char('A' + i))) + QStringLiteral(":/"),
                    {},
                    {}};
        // A removable drive's medium is not touched: its row shows the letter alone.
        if (drive.type == DriveType::Network) drive.remoteName = RemoteName(letter);
        if (drive.type != DriveType::Removable) drive.label = VolumeName(root);
        drives.push_back(std::move(drive));
    }
    return fromDrives(std::move(drives));
}

std::vector<MountRecord> DriveTable::systemMounts() { return {}; }  // Windows has letters

int64_t QueryDriveSize(uint8_t drive) { return QueryDrive(drive, false); }
int64_t QueryDriveFree(uint8_t drive) { return QueryDrive(drive, true); }

}  // namespace tabulist
