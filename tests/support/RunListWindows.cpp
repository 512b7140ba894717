// Runs the built tabulist-list.exe as a separate process, on Windows.
#include <windows.h>

#include <QDir>
#include <QFile>
#include <string>

#include "support/RunList.h"

namespace tabulist::test {
namespace {

// One argument as the C runtime's command-line parser reads it back.
std::wstring Quoted(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L'"';
}

// A file the child writes into, read back and removed afterwards.
struct Capture {
    Capture() {
        wchar_t folder[MAX_PATH + 1], name[MAX_PATH + 1];
        GetTempPathW(MAX_PATH + 1, folder);
        GetTempFileNameW(folder, L"out", 0, name);
        path = name;
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        handle = CreateFileW(name, GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_TEMPORARY, nullptr);
    }
    QByteArray take() {
        CloseHandle(handle);
        QFile file(QString::fromStdWString(path));
        QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
        file.close();
        DeleteFileW(path.c_str());
        return bytes;
    }
    std::wstring path;
    HANDLE handle;
};

}  // namespace

QStringList ListRun::lines() const {
    QStringList result = QString::fromUtf8(out).split(QStringLiteral("\r\n"));
    if (!result.isEmpty() && result.last().isEmpty()) result.removeLast();
    return result;
}

// workingDirectory and unprivileged have no Windows form; the tests that need them skip.
ListRun RunList(const QByteArrayList& args, int, bool) {
    // The lister is built beside the test programs.
    wchar_t self[MAX_PATH + 1];
    GetModuleFileNameW(nullptr, self, MAX_PATH + 1);
    std::wstring program = self;
    program = program.substr(0, program.find_last_of(L"\\/") + 1) + L"tabulist-list.exe";
    std::wstring commandLine = Quoted(program);
    for (const QByteArray& a : args)
        commandLine += L' ' + Quoted(QString::fromUtf8(a).toStdWString());

    Capture out, err;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = out.handle;
    startup.hStdError = err.handle;
    PROCESS_INFORMATION process{};
    ListRun run;
    if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       nullptr, &startup, &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = 0;
        GetExitCodeProcess(process.hProcess, &code);
        run.status = int(code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    run.out = out.take();
    run.err = err.take();
    return run;
}

}  // namespace tabulist::test
