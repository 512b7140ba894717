// RemoveOnInterrupt through a console control handler: Ctrl+C, Ctrl+Break and a closed
// console window reach it on a thread of their own before the process ends.
#include <array>
#include <atomic>

#include "platform/InterruptCleanup.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

namespace {

std::array<wchar_t, 32768> pending{};  // the file's wide name; empty: nothing to remove
std::atomic<bool> armed = false;
bool installed = false;

BOOL WINAPI RemoveAndEnd(DWORD) {
    if (armed.exchange(false)) DeleteFileW(pending.data());
    // Not handled: the next handler, the system's own, ends the process as before.
    return FALSE;
}

}  // namespace

void RemoveOnInterrupt(const QByteArray& name) {
    const std::wstring wide = name.isEmpty() ? std::wstring() : WidePath(name);
    if (wide.empty() || wide.size() >= pending.size()) {
        ClearInterruptCleanup();
        return;
    }
    armed = false;
    std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, pending.begin());
    if (!installed) installed = SetConsoleCtrlHandler(RemoveAndEnd, TRUE);
    armed = true;
}

void ClearInterruptCleanup() { armed = false; }

}  // namespace tabulist
