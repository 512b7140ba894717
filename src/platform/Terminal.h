#pragma once

namespace tabulist {

// Whether standard error is a terminal, where a progress line can be drawn and cleared.
bool StandardErrorIsTerminal();

// Standard output and standard error carry the bytes written to them unchanged: a listing
// writes its own line ends, which Windows' C runtime would otherwise turn from LF to CR LF.
void UseBinaryStandardStreams();

}  // namespace tabulist
