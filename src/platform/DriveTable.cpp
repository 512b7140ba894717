// The drive table: mounted file systems as lettered drives.
#include "platform/DriveTable.h"

#include <QStringList>
#include <algorithm>
#include <map>

namespace tabulist {
namespace {

bool isBelow(QStringView path, QStringView dir) {
    return path == dir || (path.startsWith(dir) && path.size() > dir.size() &&
                           path[dir.size()] == QLatin1Char('/'));
}

bool isPseudoFileSystem(const QString& type) {
    static const QStringList pseudo = {
        QStringLiteral("proc"),      QStringLiteral("sysfs"),   QStringLiteral("devpts"),
        QStringLiteral("cgroup"),    QStringLiteral("cgroup2"), QStringLiteral("securityfs"),
        QStringLiteral("debugfs"),   QStringLiteral("tracefs"), QStringLiteral("mqueue"),
        QStringLiteral("hugetlbfs"), QStringLiteral("pstore"),  QStringLiteral("bpf"),
        QStringLiteral("configfs"),  QStringLiteral("fusectl"), QStringLiteral("binfmt_misc"),
        QStringLiteral("autofs"),    QStringLiteral("nsfs"),    QStringLiteral("rpc_pipefs")};
    return pseudo.contains(type);
}

bool isLeftOutPlace(const QString& mountPoint) {
    if (isBelow(mountPoint, u"/run/media")) return false;
    for (QStringView dir : {u"/proc", u"/sys", u"/dev", u"/run"})
        if (isBelow(mountPoint, dir)) return true;
    return false;
}

DriveType typeOf(const MountRecord& m) {
    static const QStringList network = {QStringLiteral("nfs"),   QStringLiteral("nfs4"),
                                        QStringLiteral("cifs"),  QStringLiteral("smb3"),
                                        QStringLiteral("smbfs"), QStringLiteral("fuse.sshfs")};
    // The medium decides before the place: a disc mounted below /media stays a CD-ROM,
    // a share mounted there stays a network drive.
    if (m.fsType == QLatin1String("iso9660") || m.fsType == QLatin1String("udf"))
        return DriveType::CdRom;
    if (network.contains(m.fsType)) return DriveType::Network;
    if (m.removableDevice || isBelow(m.mountPoint, u"/media") ||
        isBelow(m.mountPoint, u"/run/media"))
        return DriveType::Removable;
    if (m.fsType == QLatin1String("tmpfs") || m.fsType == QLatin1String("ramfs"))
        return DriveType::RamDisk;
    return DriveType::Fixed;
}

Drive driveFor(QChar letter, const MountRecord& m) {
    Drive d{letter, typeOf(m), m.mountPoint, m.label.isEmpty() ? m.mountPoint : m.label, {}};
    if (d.type == DriveType::Network) d.remoteName = m.source;
    return d;
}

}  // namespace

DriveTable DriveTable::fromMounts(std::vector<MountRecord> mounts) {
    // A mount point mounted over again shows the last file system mounted there.
    std::map<QString, MountRecord> byPoint;
    for (MountRecord& m : mounts) {
        if (m.mountPoint.isEmpty() || isPseudoFileSystem(m.fsType) || isLeftOutPlace(m.mountPoint))
            continue;
        byPoint[m.mountPoint] = std::move(m);
    }
    DriveTable table;
    if (auto root = byPoint.find(QStringLiteral("/")); root != byPoint.end()) {
        table.drives_.push_back(driveFor(QLatin1Char('c'), root->second));
        byPoint.erase(root);
    }
    char letter = 'd';
    for (const auto& [point, mount] : byPoint) {
        if (letter > 'z') break;
        table.drives_.push_back(driveFor(QLatin1Char(letter++), mount));
    }
    return table;
}

DriveTable DriveTable::fromDrives(std::vector<Drive> drives) {
    DriveTable table;
    table.drives_ = std::move(drives);
    return table;
}

const Drive* DriveTable::byLetter(QChar letter) const {
    const QChar lower = letter.toLower();
    for (const Drive& d : drives_)
        if (d.letter == lower) return &d;
    return nullptr;
}

const Drive* DriveTable::driveOf(const QString& path) const {
    const Drive* best = nullptr;
    for (const Drive& d : drives_) {
        // A root that ends in "/" ("/", "C:/") holds every path it begins; "C:" is C:'s too.
        const bool contains =
            d.root.endsWith(QLatin1Char('/'))
                ? path.startsWith(d.root, Qt::CaseInsensitive) ||
                      (!path.isEmpty() && path.compare(d.root.chopped(1), Qt::CaseInsensitive) == 0)
                : isBelow(path, d.root);
        if (contains && (!best || d.root.size() > best->root.size())) best = &d;
    }
    return best;
}

QString DriveTable::rowText(const Drive& drive, TextCase textCase) {
    auto inCase = [textCase](const QString& s) {
        return textCase == TextCase::UpperCase ? s.toUpper() : s.toLower();
    };
    const QString letter = inCase(QString(drive.letter)) + QLatin1Char(':');
    switch (drive.type) {
        case DriveType::Removable:
            return letter;  // no label is read, so the medium is not touched
        case DriveType::Network:
            if (!drive.remoteName.isEmpty())
                return letter + QLatin1Char(' ') + inCase(drive.remoteName);
            break;
        default:
            break;
    }
    return letter + QStringLiteral(" [") + inCase(drive.label) + QLatin1Char(']');
}

}  // namespace tabulist
