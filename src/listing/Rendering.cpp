// Sizes, per cent values and date-time fields rendered as the listing shows them.
#include "listing/Rendering.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string>

namespace tabulist {

namespace {

// |x| as its 18 significant decimal digits and the number of digits before the point.
struct DecimalDigits {
    char digits[24];
    int count = 0;
    int pointPos = 0;
};

DecimalDigits Expand(double magnitude) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17e", magnitude);
    // buffer: d.ddddddddddddddddde[+-]xx
    DecimalDigits result;
    result.digits[result.count++] = buffer[0];
    const char* p = buffer + 2;
    while (*p != 'e') result.digits[result.count++] = *p++;
    result.pointPos = std::atoi(p + 1) + 1;
    return result;
}

// Half away from zero, decided on the digits as they stand (not on the binary value).
void RoundTo(DecimalDigits& value, int decimals) {
    const int keep = value.pointPos + decimals;
    if (keep >= value.count) return;
    if (keep < 0) {
        value.count = 0;
        return;
    }
    const bool up = value.digits[keep] >= '5';
    value.count = keep;
    if (!up) return;
    int i = keep - 1;
    while (i >= 0 && value.digits[i] == '9') value.digits[i--] = '0';
    if (i >= 0) {
        ++value.digits[i];
    } else {
        std::memmove(value.digits + 1, value.digits, size_t(value.count));
        value.digits[0] = '1';
        ++value.count;
        ++value.pointPos;
    }
}

// Appends the text, filled on the left with spaces to width.
void AppendPadded(LineBuffer& out, QStringView text, int width) {
    out.fill(QLatin1Char(' '), width - text.size());
    out.append(text);
}

}  // namespace

void AppendInteger(LineBuffer& out, int64_t n, int width) {
    char16_t text[24];
    char16_t* end = text + 24;
    char16_t* p = end;
    // Negated as unsigned: the most negative value has no positive counterpart.
    uint64_t magnitude = n < 0 ? 0 - uint64_t(n) : uint64_t(n);
    do {
        *--p = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (n < 0) *--p = u'-';
    AppendPadded(out, QStringView(p, end), width);
}

QString IntegerText(int64_t n, int width) {
    LineBuffer text;
    AppendInteger(text, n, width);
    return text.take();
}

void AppendFixed(LineBuffer& out, double x, int width, int decimals) {
    if (decimals < 0) decimals = 0;
    const double magnitude = std::fabs(x);
    // Sign and body; the digits themselves never exceed a few hundred characters.
    char16_t small[64];
    std::u16string large;
    char16_t* text = small;
    qsizetype n = 0;
    auto room = [&](qsizetype more) {
        if (text == small && n + more > qsizetype(std::size(small))) {
            large.assign(small, small + n);
            large.resize(size_t(n + more));
            text = large.data();
        } else if (text != small && size_t(n + more) > large.size()) {
            large.resize(size_t(n + more));
            text = large.data();
        }
    };
    auto push = [&](char c) { text[n++] = char16_t(c); };
    room(1);
    if (x < 0) push('-');
    if (std::isnan(x) || std::isinf(x)) {
        room(3);
        for (const char* p = std::isnan(x) ? "NAN" : "INF"; *p; ++p) push(*p);
    } else if (magnitude >= 1e36) {
        char buffer[64];
        const int length =
            std::snprintf(buffer, sizeof buffer, "%.*E", decimals < 17 ? decimals : 17, magnitude);
        room(length);
        for (int i = 0; i < length; ++i) push(buffer[i]);
    } else {
        DecimalDigits value = Expand(magnitude);
        RoundTo(value, decimals);
        auto digitAt = [&](int i) { return i >= 0 && i < value.count ? value.digits[i] : '0'; };
        room(std::max(value.pointPos, 1) + decimals + 2);
        const qsizetype start = n;
        for (int i = 0; i < value.pointPos; ++i) {
            const char d = digitAt(i);
            if (n == start && d == '0') continue;
            push(d);
        }
        if (n == start) push('0');
        if (decimals > 0) {
            push('.');
            for (int i = 0; i < decimals; ++i) push(digitAt(value.pointPos + i));
        }
    }
    AppendPadded(out, QStringView(text, n), width);
}

QString FixedText(double x, int width, int decimals) {
    LineBuffer text;
    AppendFixed(text, x, width, decimals);
    return text.take();
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
