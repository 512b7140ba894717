// StandardErrorIsTerminal through isatty(3); the standard streams are binary already.
#include <unistd.h>

#include "platform/Terminal.h"

namespace tabulist {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

void UseBinaryStandardStreams() {}  // they always are here

}  // namespace tabulist
