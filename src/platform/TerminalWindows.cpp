// StandardErrorIsTerminal: a console answers GetConsoleMode, a file or a pipe does not. The
// progress line is cleared with "ESC [K", which a console understands only once asked to.
#include "platform/Terminal.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

bool StandardErrorIsTerminal() {
    const HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(err, &mode)) return false;
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) ||
           SetConsoleMode(err, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

}  // namespace tabulist
