// Date-time values as text, by the regional settings' patterns.
#include "listing/Rendering.h"

namespace tabulist {

namespace {

// Used when the settings carry no name for an item.
const char* const EnglishShortMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const EnglishLongMonths[] = {"January",   "February", "March",    "April",
                                         "May",       "June",     "July",     "August",
                                         "September", "October",  "November", "December"};
const char* const EnglishShortDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const EnglishLongDays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                       "Thursday", "Friday", "Saturday"};

QString NameAt(const QStringList& names, int index, const char* const fallback[]) {
    if (index < names.size() && !names[index].isEmpty()) return names[index];
    return QString::fromLatin1(fallback[index]);
}

QString TwoDigits(int n) { return QStringLiteral("%1").arg(n % 100, 2, 10, QLatin1Char('0')); }

int RunLength(const QString& pattern, qsizetype at, QChar letter, int limit) {
    int n = 0;
    while (at + n < pattern.size() && n < limit && pattern[at + n].toLower() == letter) ++n;
    return n;
}

struct Fields {
    int year, month, day, hour, minute, second, msec, weekDay;
};

QString DateText(const Fields& f, const RegionalSettings& settings) {
    const QString& pattern = settings.shortDatePattern;
    QString text;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype end = pattern.indexOf(c, i + 1);
            if (end < 0) end = pattern.size();
            text += pattern.mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (c == QLatin1Char('/')) {
            text += settings.dateSeparator;
            ++i;
        } else if (lower == QLatin1Char('d')) {
            const int n = RunLength(pattern, i, lower, 4);
            if (n == 1) text += QString::number(f.day);
            if (n == 2) text += TwoDigits(f.day);
            if (n == 3) text += NameAt(settings.shortDayNames, f.weekDay - 1, EnglishShortDays);
            if (n == 4) text += NameAt(settings.longDayNames, f.weekDay - 1, EnglishLongDays);
            i += n;
        } else if (lower == QLatin1Char('m')) {
            const int n = RunLength(pattern, i, lower, 4);
            if (n == 1) text += QString::number(f.month);
            if (n == 2) text += TwoDigits(f.month);
            if (n == 3) text += NameAt(settings.shortMonthNames, f.month - 1, EnglishShortMonths);
            if (n == 4) text += NameAt(settings.longMonthNames, f.month - 1, EnglishLongMonths);
            i += n;
        } else if (lower == QLatin1Char('y')) {
            // A run of one or two letters is the short year, anything longer the full year.
            const int n = RunLength(pattern, i, lower, 4);
            text += n <= 2 ? TwoDigits(f.year)
                           : QStringLiteral("%1").arg(f.year, 4, 10, QLatin1Char('0'));
            i += n;
        } else {
            text += c;
            ++i;
        }
    }
    return text;
}

QString TimeText(const Fields& f, const RegionalSettings& settings) {
    int hour = f.hour;
    if (!settings.clock24) hour = hour % 12 == 0 ? 12 : hour % 12;
    QString text = settings.hourLeadingZero ? TwoDigits(hour) : QString::number(hour);
    text +=
        settings.timeSeparator + TwoDigits(f.minute) + settings.timeSeparator + TwoDigits(f.second);
    if (settings.clock24) return text;
    const QString& mark = f.hour < 12 ? settings.amDesignator : settings.pmDesignator;
    // An empty designator means the clock shows no mark, and so no blank either.
    if (mark.isEmpty()) return text;
    return settings.markBeforeTime ? mark + QLatin1Char(' ') + text
                                   : text + QLatin1Char(' ') + mark;
}

}  // namespace

QString DateTimeText(DateTime t, const RegionalSettings& settings) {
    Fields f{};
    DecodeDateTime(t, f.year, f.month, f.day, f.hour, f.minute, f.second, f.msec);
    f.weekDay = DayOfWeek(t);
    QString text = DateText(f, settings);
    if (f.hour != 0 || f.minute != 0 || f.second != 0)
        text += QLatin1Char(' ') + TimeText(f, settings);
    return text;
}

}  // namespace tabulist
