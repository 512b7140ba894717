#pragma once

#include <stdlib.h>
#include <unistd.h>

#include <QByteArray>
#include <QStringList>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/DriveTable.h"

namespace tabulist::test {

// The texts of a selector model's rows, in order.
template <class Model>
QStringList RowTexts(const Model& model) {
    QStringList out;
    for (const auto& row : model.rows()) out << row.text;
    return out;
}

// Model and widget tests move the process's working directory; this puts it back.
class WorkingDirectoryGuard {
public:
    WorkingDirectoryGuard() {
        char* cwd = getcwd(nullptr, 0);
        if (cwd == nullptr) throw std::runtime_error("getcwd failed");
        saved_ = cwd;
        free(cwd);
    }
    ~WorkingDirectoryGuard() {
        if (chdir(saved_.constData()) != 0) {
            // The original directory went away; the test's own checks already failed then.
        }
    }

private:
    QByteArray saved_;
};

// The path as getcwd reports it (temporary folders may sit behind a link).
inline QByteArray RealPath(const QByteArray& path) {
    char* real = realpath(path.constData(), nullptr);
    if (real == nullptr) throw std::runtime_error("realpath failed: " + path.toStdString());
    QByteArray out(real);
    free(real);
    return out;
}

inline void ChangeDirectory(const QByteArray& path) {
    if (chdir(path.constData()) != 0) throw std::runtime_error("chdir " + path.toStdString());
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
