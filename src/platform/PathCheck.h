#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>

namespace tabulist {

// What a path names, links followed: a directory, something else, or nothing the
// system can reach (reason then holds the system's text).
struct PathCheck {
    enum Kind { Directory, NotDirectory, Unreachable };
    Kind kind = Unreachable;
    QString reason;
};
PathCheck CheckPath(const QByteArray& rawPath);

// Whether a path names its folder without the working directory: "/..." on Linux; a drive
// root ("C:/" or "C:\") or a share ("\\server\share") on Windows.
bool IsAbsolutePath(const QByteArray& rawPath);

// Which directory a path names, so that a walk can tell a folder it has already entered
// (a bind mount of an ancestor) and another file system (a different device).
struct FolderIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
};
// True when rawPath is a directory; a symbolic link counts as one only when followLinks.
// When the system could not look at it for a reason other than its absence, failure (when
// given) gets the I/O error code; otherwise 0.
bool IdentifyFolder(const QByteArray& rawPath, bool followLinks, FolderIdentity& identity,
                    int* failure = nullptr);

}  // namespace tabulist
