#pragma once

#include <functional>

namespace tabulist::test {

// Root reads and writes every file, so checks of refused access run as an ordinary user.
// Runs body in a forked child, as that user when the tests run as root, and returns the
// child's exit status (body's result); -1 when it crashed or the privilege drop failed.
// An ordinary user running the tests stays who they are and owns the test's files, so the
// modes such a check sets must refuse the owner too (0, 0444, 0555), not only others.
int ExitStatusAsUnprivileged(const std::function<int()>& body);

// The same for a check: true when check() held in the child.
bool AsUnprivileged(const std::function<bool()>& check);

// Gives up root for good (to the user and group "nobody"); true when the process is not
// root afterwards. Meant for a forked child only.
bool DropPrivileges();

}  // namespace tabulist::test
