#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tabulist::test {

struct RunResult {
    bool finished = false;
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs a program to its end (at most timeoutMs, a minute unless given).
RunResult RunProgram(
    const QString& program, const QStringList& arguments,
    const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
    int timeoutMs = 60000);

// `cmake --install` of the build tree into prefix, staged under destdir when one is given.
RunResult InstallBuildTree(const QString& prefix, const QString& destdir = {});

// Files and links below root, relative to it, sorted.
QStringList InstalledFiles(const QString& root);

// The value of key in the [Desktop Entry] group, with the file format's escapes undone.
QString DesktopEntryValue(const QString& file, const QString& key);

// The program an Exec value starts: its first argument with the quoting rules undone.
QString ExecProgram(const QString& exec);

// Options and their headings as "--mask MASK: file mask, ..." and "What is listed:", from
// the OPTIONS section of a manual page and from the --help text.
QStringList ManualPageOptions(const QString& roff);
QStringList HelpOptions(const QString& help);

}  // namespace tabulist::test
