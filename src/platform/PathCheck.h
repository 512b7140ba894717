#pragma once

#include <QByteArray>
#include <QString>

namespace tabulist {

// What a path names, links followed: a directory, something else, or nothing the
// system can reach (reason then holds the system's text).
struct PathCheck {
    enum Kind { Directory, NotDirectory, Unreachable };
    Kind kind = Unreachable;
    QString reason;
};
PathCheck CheckPath(const QByteArray& rawPath);

}  // namespace tabulist
