#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QStringList>
#include <functional>

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

// Runs check in a forked child as an unprivileged user (root reads and writes every file)
// and returns its result; a crash or a failed privilege drop counts as false.
bool AsUnprivileged(const std::function<bool()>& check);

}  // namespace tabulist::test
