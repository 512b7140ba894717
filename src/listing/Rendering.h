#pragma once

#include <QString>
#include <cstdint>

#include "listing/LineBuffer.h"

namespace tabulist {

// Decimal digits of n, "-" first when negative, filled on the left with spaces to width.
QString IntegerText(int64_t n, int width);
void AppendInteger(LineBuffer& out, int64_t n, int width);
// Fixed point with decimals digits, half away from zero on the 18-significant-digit
// expansion; "-" whenever x is negative; filled on the left to width; never cut.
QString FixedText(double x, int width, int decimals);
void AppendFixed(LineBuffer& out, double x, int width, int decimals);
// The first "." replaced by ",".
QString DecimalComma(const QString& text);

// Size and per cent renderings of the listing.
QString UnitSuffix(int unit);  // " Bytes", " KBytes", " MBytes", " GBytes", "" otherwise

}  // namespace tabulist
