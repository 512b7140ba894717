// Sizes, per cent values and date-time fields rendered as the listing shows them.
#include "listing/Rendering.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tabulist {

namespace {

QString PadLeft(const QString& text, int width) {
    return text.size() >= width ? text : QString(width - text.size(), QLatin1Char(' ')) + text;
}

// |x| as its 18 significant decimal digits and the number of digits before the point.
struct DecimalDigits {
    std::string digits;
    int pointPos = 0;
};

DecimalDigits Expand(double magnitude) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
    // buffer: d.ddddddddddddddddde[+-]xx
    DecimalDigits result;
    result.digits.push_back(buffer[0]);
    const char* p = buffer + 2;
    while (*p != 'e') result.digits.push_back(*p++);
    result.pointPos = std::atoi(p + 1) + 1;
    return result;
}

// Half away from zero, decided on the digits as they stand (not on the binary value).
void RoundTo(DecimalDigits& value, int decimals) {
    const int keep = value.pointPos + decimals;
    if (keep >= static_cast<int>(value.digits.size())) return;
    if (keep < 0) {
        value.digits.clear();
        return;
    }
    const bool up = value.digits[keep] >= '5';
    value.digits.resize(keep);
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && value.digits[i] == '9') value.digits[i--] = '0';
    if (i >= 0) {
        ++value.digits[i];
    } else {
        value.digits.insert(value.digits.begin(), '1');
        ++value.pointPos;
    }
}

QString FixedDigits(const DecimalDigits& value, int decimals) {
    auto digitAt = [&](int i) {
        return i >= 0 && i < static_cast<int>(value.digits.size()) ? value.digits[i] : '0';
    };
    std::string text;
    for (int i = 0; i < value.pointPos; ++i) {
        const char d = digitAt(i);
        if (text.empty() && d == '0') continue;
        text.push_back(d);
    }
    if (text.empty()) text.push_back('0');
    if (decimals > 0) {
        text.push_back('.');
        for (int i = 0; i < decimals; ++i) text.push_back(digitAt(value.pointPos + i));
    }
    return QString::fromLatin1(text);
}

}  // namespace

QString IntegerText(int64_t n, int width) { return PadLeft(QString::number(n), width); }

QString FixedText(double x, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    const QString sign = x < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::fabs(x);
    QString body;
    if (std::isnan(x)) {
        body = QStringLiteral("NAN");
    } else if (std::isinf(x)) {
        body = QStringLiteral("INF");
    } else if (magnitude >= 1e36) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*E", decimals < 17 ? decimals : 17, magnitude);
        body = QString::fromLatin1(buffer);
    } else {
        DecimalDigits digits = Expand(magnitude);
        RoundTo(digits, decimals);
        body = FixedDigits(digits, decimals);
    }
    return PadLeft(sign + body, width);
}

QString DecimalComma(const QString& text) {
    QString result = text;
    const qsizetype point = result.indexOf(QLatin1Char('.'));
    if (point >= 0) result[point] = QLatin1Char(',');
    return result;
}

QString UnitSuffix(int unit) {
    switch (unit) {
        case 0:
            return QStringLiteral(" Bytes");
        case 1:
            return QStringLiteral(" KBytes");
        case 2:
            return QStringLiteral(" MBytes");
        case 3:
            return QStringLiteral(" GBytes");
        default:
            return QString();
    }
}

}  // namespace tabulist
