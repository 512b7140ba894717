#pragma once

#include <QStringList>
#include <cstdio>

namespace tabulist {

// The whole of tabulist-list after the program name: parses args, lists to out, reports to
// err. Returns the exit status: 0 listed, 1 failed, 2 usage error.
int RunCli(const QStringList& args, FILE* out, FILE* err);

}  // namespace tabulist
