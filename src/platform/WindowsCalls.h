#pragma once

// Helpers shared by the *Windows.cpp files of the platform layer; not part of its interface.
#include <windows.h>

#include <QByteArray>
#include <QString>
#include <string>

namespace tabulist {

// Raw paths and names are UTF-8 on Windows, with "/" as the program's separator: the wide
// form the system calls take, "\" separated. A bare drive ("C:") means its root, not the
// drive's own current folder; a full path longer than MAX_PATH gets the "\\?\" prefix.
std::wstring WidePath(const QByteArray& rawPath);
QByteArray Utf8FromWide(const wchar_t* text, size_t length);
inline QByteArray Utf8FromWide(const std::wstring& text) {
    return Utf8FromWide(text.data(), text.size());
}
// The system's path with "/" separators and the drive letter in upper case.
QByteArray RawPathFromWide(const std::wstring& path);

// A system error as the code of an input/output error: Windows' own codes are the numbers
// the messages use (2 file not found, 3 path not found, 4 too many open files, 5 access
// denied); a full disk is 101.
int InOutCodeFromWin32(DWORD error);
[[noreturn]] void ThrowWin32(DWORD error);
// The nearest C library error number, for the calls that report errno values.
int ErrnoFromWin32(DWORD error);
// The system's text for an error, without the trailing line break.
QString Win32Message(DWORD error);

// FILETIME as seconds since 1970, and as the packed local date and time.
int64_t SecondsSince1970(const FILETIME& time);
int32_t PackedLocalTime(const FILETIME& time);

// A Windows date or time picture ("dd.MM.yyyy", "h:mm:ss tt") in the C library's
// conversions ("%d.%m.%Y", "%l:%M:%S %p") that the regional settings are read from.
QString CFormatFromPicture(const QString& picture);

}  // namespace tabulist
