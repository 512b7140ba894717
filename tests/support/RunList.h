#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>

namespace tabulist::test {

struct ListRun {
    int status = -1;
    QByteArray out;
    QByteArray err;
    QStringList lines() const;  // out split at CR LF, the last (empty) piece dropped
};

// Runs the built tabulist-list with arguments given as raw bytes (names that are not
// UTF-8 must reach it as they are), from workingDirectory when given (an open directory
// descriptor, so that a path longer than PATH_MAX can be used), as an unprivileged
// user when unprivileged is set and the tests run as root.
ListRun RunList(const QByteArrayList& args, int workingDirectory = -1, bool unprivileged = false);

}  // namespace tabulist::test
