#pragma once

#include <QByteArrayList>
#include <QStringList>
#include <cstdio>

namespace tabulist {

// The whole of tabulist-list after the program name: parses args, lists to out, reports to
// err. Returns the exit status: 0 listed, 1 failed, 2 usage error.
// rawArgs: the same arguments as the command line gave their bytes, so that a directory
// whose name is not valid text can still be listed; empty when the caller has only text.
int RunCli(const QStringList& args, FILE* out, FILE* err, const QByteArrayList& rawArgs = {});

}  // namespace tabulist
