#pragma once

#include <QChar>

namespace tabulist {

// Windows only: the character a single byte stands for in a code page, or fallback where the
// page has none for it alone (a lead byte of a double-byte page, UTF-8).
QChar CodePageCharacter(unsigned codePage, unsigned char byte, QChar fallback);
// The system's ANSI code page: the system locale's, not the process's, which the manifest
// makes UTF-8.
unsigned SystemAnsiCodePage();

}  // namespace tabulist
