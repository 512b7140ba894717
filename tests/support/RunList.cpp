// Runs the built tabulist-list as a separate process.
#include "support/RunList.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "support/Fixture.h"
#include "support/Unprivileged.h"

namespace tabulist::test {

QStringList ListRun::lines() const {
    QStringList result = QString::fromUtf8(out).split(QStringLiteral("\r\n"));
    if (!result.isEmpty() && result.last().isEmpty()) result.removeLast();
    return result;
}

ListRun RunList(const QByteArrayList& args, int workingDirectory, bool unprivileged) {
    const QByteArray program = QByteArray(TABULIST_BINARY_DIR) + "/tabulist-list";
    std::vector<char*> argv{const_cast<char*>(program.constData())};
    for (const QByteArray& a : args) argv.push_back(const_cast<char*>(a.constData()));
    argv.push_back(nullptr);
    // Output goes to files: a pipe would need reading while the child writes.
    FILE* out = std::tmpfile();
    FILE* err = std::tmpfile();
    // Opened before privileges are dropped: the build directory may lie where an ordinary
    // user cannot reach it (a checkout under /root).
    const int programFd = open(program.constData(), O_RDONLY | O_CLOEXEC);
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fileno(out), 1);
        dup2(fileno(err), 2);
        if (workingDirectory >= 0 && fchdir(workingDirectory) != 0) _exit(97);
        if (unprivileged && !DropPrivileges()) _exit(98);
        execveat(programFd, "", argv.data(), environ, AT_EMPTY_PATH);
        _exit(96);
    }
    if (programFd >= 0) close(programFd);
    int raw = 0;
    waitpid(pid, &raw, 0);
    ListRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    std::fclose(out);
    std::fclose(err);
    return run;
}

}  // namespace tabulist::test
