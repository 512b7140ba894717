// StandardErrorIsTerminal: a console answers GetConsoleMode, a file or a pipe does not. The
// progress line is cleared with "ESC [K", which a console understands only once asked to.
// The standard streams are switched from the C runtime's text mode to binary.
#include <fcntl.h>
#include <io.h>

#include <cstdio>

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

void UseBinaryStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace tabulist
