#include "hardening/RunList.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace tabulist::test {

namespace {

QByteArray ReadAll(FILE* f) {
    std::rewind(f);
    QByteArray bytes;
    char buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, qsizetype(n));
    std::fclose(f);
    return bytes;
}

bool DropPrivileges() { return geteuid() != 0 || (setgid(65534) == 0 && setuid(65534) == 0); }

}  // namespace

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
    return run;
}

bool AsUnprivileged(const std::function<bool()>& check) {
    const pid_t pid = fork();
    if (pid == 0) _exit(DropPrivileges() && check() ? 0 : 1);
    int raw = 0;
    waitpid(pid, &raw, 0);
    return WIFEXITED(raw) && WEXITSTATUS(raw) == 0;
}

}  // namespace tabulist::test
