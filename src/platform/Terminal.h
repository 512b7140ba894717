#pragma once

namespace tabulist {

// Whether standard error is a terminal, where a progress line can be drawn and cleared.
bool StandardErrorIsTerminal();

}  // namespace tabulist
