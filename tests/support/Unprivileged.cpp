// Runs test code as an ordinary user in a forked child.
#include "support/Unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

namespace tabulist::test {

bool DropPrivileges() { return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0); }

int ExitStatusAsUnprivileged(const std::function<int()>& body) {
    const pid_t pid = fork();
    if (pid == 0) _exit(DropPrivileges() ? body() : 98);
    int raw = 0;
    waitpid(pid, &raw, 0);
    if (!WIFEXITED(raw) || WEXITSTATUS(raw) == 98) return -1;
    return WEXITSTATUS(raw);
}

bool AsUnprivileged(const std::function<bool()>& check) {
    return ExitStatusAsUnprivileged([&] { return check() ? 0 : 1; }) == 0;
}

}  // namespace tabulist::test
