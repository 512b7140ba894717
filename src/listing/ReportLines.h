#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "listing/ListingEngine.h"

namespace tabulist {

// An amount of the header or footer: unit 0 plain bytes; 1..3 divided by 1024 once, twice or
// three times in a row, width 7, 3 decimals, comma; other units nothing and no suffix.
QString AmountText(int64_t amount, int unit, bool showUnit);

// dividend / divisor, raising what the floating-point unit would: 0/0 "Invalid floating
// point operation", x/0 "Floating point division by zero".
double CheckedDivide(double dividend, double divisor);

// A per cent value: width 6, 2 decimals, comma, " %" when asked.
QString PercentText(double value, bool showUnit);

// Drive figures of one report, queried once when first needed.
class DriveFigures {
public:
    DriveFigures(const ListingOptions& options, const ListingHooks& hooks);
    int64_t size();
    int64_t free();

private:
    uint8_t driveNumber_;
    std::function<int64_t(uint8_t)> querySize_;
    std::function<int64_t(uint8_t)> queryFree_;
    std::optional<int64_t> size_;
    std::optional<int64_t> free_;
};

// Drive number of a letter: a or A is 1 .. z or Z 26; anything else 0 (the working drive).
uint8_t DriveNumber(QChar letter);

// The header lines before the body, as the options ask.
void WriteHeader(const ListingOptions& options, const QString& searchSpec, DriveFigures& drive,
                 ListingSink& sink);
// The footer lines after the always-present empty line.
void WriteFooter(const ListingOptions& options, const ListingResult& counts, DriveFigures& drive,
                 ListingSink& sink);

}  // namespace tabulist
