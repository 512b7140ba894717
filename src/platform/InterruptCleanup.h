#pragma once

#include <QByteArray>

namespace tabulist {

// While set, an interrupt or termination signal (Ctrl+C, kill) removes the named file
// before the program ends as that signal ends it: a file being written is not left behind
// half-done. One file at a time; an empty name or ClearInterruptCleanup() ends it.
void RemoveOnInterrupt(const QByteArray& name);
void ClearInterruptCleanup();

}  // namespace tabulist
