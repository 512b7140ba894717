// Windows (and Wine) have no root that reads every file and no fork: the checks of refused
// access skip there (SKIP_ON_WINDOWS) before they get here.
#include "support/Unprivileged.h"

namespace tabulist::test {

bool DropPrivileges() { return false; }

int ExitStatusAsUnprivileged(const std::function<int()>&) { return -1; }

bool AsUnprivileged(const std::function<bool()>&) { return false; }

}  // namespace tabulist::test
