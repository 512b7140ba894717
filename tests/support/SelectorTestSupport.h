#pragma once

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/DriveTable.h"
#include "support/Fixture.h"

namespace tabulist::test {

// The texts of a selector model's rows, in order.
template <class Model>
QStringList RowTexts(const Model& model) {
    QStringList out;
    for (const auto& row : model.rows()) out << row.text;
    return out;
}

// "/" as drive c and each given folder as a drive of its own (d, e, ... in path order).
inline DriveTable TableWithDrives(const std::vector<QByteArray>& roots) {
    std::vector<MountRecord> mounts{{"/", "ext4", "/dev/sda1", "System", false}};
    for (const QByteArray& root : roots) {
        mounts.push_back({QString::fromUtf8(RealPath(root)), "ext4", "/dev/sdb1", "", false});
    }
    return DriveTable::fromMounts(mounts);
}

// Notifications in the order they fired.
struct NotificationLog {
    std::vector<std::string> events;
    std::function<void()> record(const char* name) {
        return [this, name] { events.emplace_back(name); };
    }
    std::vector<std::string> take() { return std::exchange(events, {}); }
};

}  // namespace tabulist::test
