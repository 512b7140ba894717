// The C library's time formats mapped to the regional settings.
#include "listing/RegionalFormats.h"

#include <vector>

namespace tabulist {

namespace {

// One piece of a strftime format: a conversion letter, or one literal character.
struct Token {
    QChar conversion;  // null for a literal
    QChar literal;
    bool unpadded = false;  // the "-" or "_" flag: no leading zero

    bool isField() const { return !conversion.isNull(); }
};

void Tokenize(const QString& format, const QString& ampmFormat, int depth,
              std::vector<Token>& tokens) {
    qsizetype i = 0;
    while (i < format.size()) {
        if (format[i] != QLatin1Char('%')) {
            tokens.push_back({QChar(), format[i++]});
            continue;
        }
        ++i;
        bool unpadded = false;
        while (i < format.size() &&
               (QStringLiteral("-_0^#").contains(format[i]) || format[i].isDigit())) {
            if (format[i] == QLatin1Char('-') || format[i] == QLatin1Char('_')) unpadded = true;
            ++i;
        }
        if (i < format.size() && (format[i] == QLatin1Char('E') || format[i] == QLatin1Char('O')))
            ++i;
        if (i >= format.size()) break;
        const QChar c = format[i++];
        // Composite conversions stand for their expansions.
        const char16_t u = c.unicode();
        if (u == 'D') {
            Tokenize(QStringLiteral("%m/%d/%y"), ampmFormat, depth, tokens);
        } else if (u == 'F') {
            Tokenize(QStringLiteral("%Y-%m-%d"), ampmFormat, depth, tokens);
        } else if (u == 'T') {
            Tokenize(QStringLiteral("%H:%M:%S"), ampmFormat, depth, tokens);
        } else if (u == 'R') {
            Tokenize(QStringLiteral("%H:%M"), ampmFormat, depth, tokens);
        } else if (u == 'r') {
            if (depth == 0) Tokenize(ampmFormat, QString(), depth + 1, tokens);
        } else if (u == '%') {
            tokens.push_back({QChar(), c});
        } else if (u == 'n' || u == 't') {
            tokens.push_back({QChar(), QLatin1Char(' ')});
        } else {
            tokens.push_back({c, QChar(), unpadded});
        }
    }
}

// The first literal character that stands between two fields.
QString SeparatorBetweenFields(const std::vector<Token>& tokens) {
    bool fieldSeen = false;
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (tokens[i].isField()) {
            fieldSeen = true;
            continue;
        }
        if (!fieldSeen) continue;
        for (size_t j = i + 1; j < tokens.size(); ++j)
            if (tokens[j].isField()) return QString(tokens[i].literal);
    }
    return QString();
}

QString DateLetters(const Token& token) {
    switch (token.conversion.unicode()) {
        case 'd':
            return token.unpadded ? QStringLiteral("d") : QStringLiteral("dd");
        case 'e':
            return QStringLiteral("d");
        case 'm':
            return token.unpadded ? QStringLiteral("m") : QStringLiteral("mm");
        case 'y':
            return QStringLiteral("yy");
        case 'Y':
            return QStringLiteral("yyyy");
        case 'b':
        case 'h':
            return QStringLiteral("mmm");
        case 'B':
            return QStringLiteral("mmmm");
        case 'a':
            return QStringLiteral("ddd");
        case 'A':
            return QStringLiteral("dddd");
        default:
            return QString();  // fields the pattern cannot express are left out
    }
}

// Literal text is quoted wherever the pattern would read it as a field.
QString QuotedLiteral(QChar c, const QString& dateSeparator) {
    if (c == QLatin1Char('/')) return dateSeparator == QStringLiteral("/") ? QString(c) : "\"/\"";
    if (c == QLatin1Char('"')) return QStringLiteral("'\"'");
    if (c.isLetter() || c == QLatin1Char('\'')) return QStringLiteral("\"") + c + QLatin1Char('"');
    return QString(c);
}

void ApplyDateFormat(const QString& format, RegionalSettings& settings) {
    std::vector<Token> tokens;
    Tokenize(format, QString(), 0, tokens);
    QString pattern;
    const QString separator = SeparatorBetweenFields(tokens);
    if (!separator.isEmpty()) settings.dateSeparator = separator;
    for (const Token& token : tokens)
        pattern += token.isField() ? DateLetters(token)
                                   : QuotedLiteral(token.literal, settings.dateSeparator);
    if (!pattern.isEmpty()) settings.shortDatePattern = pattern;
}

bool IsHourField(QChar c) { return QStringLiteral("HkIl").contains(c); }

// Returns whether the format shows an am/pm mark.
bool ApplyTimeFormat(const QString& format, const QString& ampmFormat, RegionalSettings& settings) {
    std::vector<Token> tokens;
    Tokenize(format, ampmFormat, 0, tokens);
    size_t hourAt = tokens.size(), markAt = tokens.size();
    for (size_t i = 0; i < tokens.size(); ++i) {
        const QChar c = tokens[i].conversion;
        if (hourAt == tokens.size() && IsHourField(c)) hourAt = i;
        if (markAt == tokens.size() && (c == QLatin1Char('p') || c == QLatin1Char('P'))) markAt = i;
    }
    if (hourAt == tokens.size()) return true;  // no clock in the format: fallbacks stand
    const Token& hour = tokens[hourAt];
    const char16_t u = hour.conversion.unicode();
    settings.clock24 = u == 'H' || u == 'k';
    settings.hourLeadingZero = (u == 'H' || u == 'I') && !hour.unpadded;
    if (hourAt + 1 < tokens.size() && !tokens[hourAt + 1].isField())
        settings.timeSeparator = QString(tokens[hourAt + 1].literal);
    if (markAt == tokens.size()) return false;
    settings.markBeforeTime = markAt < hourAt;
    return true;
}

}  // namespace

RegionalSettings RegionalSettingsFromItems(const LocaleTimeItems& items) {
    RegionalSettings settings;
    ApplyDateFormat(items.dateFormat, settings);
    const bool showsMark = ApplyTimeFormat(items.timeFormat, items.timeFormatAmPm, settings);
    if (!items.am.isEmpty()) settings.amDesignator = items.am;
    if (!items.pm.isEmpty()) settings.pmDesignator = items.pm;
    if (!settings.clock24 && !showsMark) {
        settings.amDesignator.clear();
        settings.pmDesignator.clear();
    }
    settings.shortMonthNames = items.shortMonthNames;
    settings.longMonthNames = items.longMonthNames;
    settings.shortDayNames = items.shortDayNames;
    settings.longDayNames = items.longDayNames;
    return settings;
}

}  // namespace tabulist
