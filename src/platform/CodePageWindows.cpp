// Single bytes of the system's code page, through MultiByteToWideChar.
#include "platform/CodePage.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

QChar CodePageCharacter(unsigned codePage, unsigned char byte, QChar fallback) {
    const char single = char(byte);
    wchar_t wide[2] = {};
    const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, &single, 1, wide, 2);
    return n == 1 ? QChar(wide[0]) : fallback;
}

unsigned SystemAnsiCodePage() {
    DWORD codePage = 0;
    if (!GetLocaleInfoEx(LOCALE_NAME_SYSTEM_DEFAULT,
                         LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<wchar_t*>(&codePage), sizeof codePage / sizeof(wchar_t)))
        return 1252;
    return codePage;
}

}  // namespace tabulist
