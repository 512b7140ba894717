// StandardErrorIsTerminal through isatty(3).
#include <unistd.h>

#include "platform/Terminal.h"

namespace tabulist {

bool StandardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

}  // namespace tabulist
