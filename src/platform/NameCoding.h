#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace tabulist {

// A name as the program sees it: UTF-8 decoded one code point at a time, every byte that
// does not begin a valid sequence taken as U+FFFD, control characters as "?".
// out is cleared and refilled, so a caller can reuse one buffer for many names.
// keepControls: control characters stay as they are (for formats that escape them).
void DecodeName(const char* raw, size_t size, std::u32string& out, bool keepControls = false);

// Simple (one to one) case folding; ASCII without a table look-up.
char32_t FoldCase(char32_t c);
void FoldCase(std::u32string& text);

void AppendUtf8(char32_t c, std::vector<char>& out);

// The text a raw file name is shown as: UTF-8 decoded (bad bytes become U+FFFD),
// control characters (below 0x20 and 0x7F) replaced by "?".
QString DisplayName(const QByteArray& raw);

}  // namespace tabulist
