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

void AppendName(QString& out, const QStringList& names, int index,
                const char* const fallback[]) {
    if (index < names.size() && !names[index].isEmpty())
        out += names[index];
    else
        out += QLatin1String(fallback[index]);
}

void AppendTwoDigits(QString& out, int n) {
    n %= 100;
    if (n < 0) {  // only a value from outside the calendar's range gets here
        out += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        return;
    }
    const QChar digits[2] = {QChar(u'0' + n / 10), QChar(u'0' + n % 10)};
    out.append(digits, 2);
}

int RunLength(const QString& pattern, qsizetype at, QChar letter, int limit) {
    int n = 0;
    while (at + n < pattern.size() && n < limit && pattern[at + n].toLower() == letter) ++n;
    return n;
}

void AppendDate(QString& text, const StampFields& f, const RegionalSettings& settings) {
    const QString& pattern = settings.shortDatePattern;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype end = pattern.indexOf(c, i + 1);
            if (end < 0) end = pattern.size();
            text += QStringView(pattern).mid(i + 1, end - i - 1);
            i = end + 1;
        } else if (c == QLatin1Char('/')) {
            text += settings.dateSeparator;
            ++i;
        } else if (lower == QLatin1Char('d')) {
            const int n = RunLength(pattern, i, lower, 4);
            if (n == 1) AppendInteger(text, f.day, 0);
            if (n == 2) AppendTwoDigits(text, f.day);
            if (n == 3) AppendName(text, settings.shortDayNames, f.weekDay - 1, EnglishShortDays);
            if (n == 4) AppendName(text, settings.longDayNames, f.weekDay - 1, EnglishLongDays);
            i += n;
        } else if (lower == QLatin1Char('m')) {
            const int n = RunLength(pattern, i, lower, 4);
            if (n == 1) AppendInteger(text, f.month, 0);
            if (n == 2) AppendTwoDigits(text, f.month);
            if (n == 3)
                AppendName(text, settings.shortMonthNames, f.month - 1, EnglishShortMonths);
            if (n == 4) AppendName(text, settings.longMonthNames, f.month - 1, EnglishLongMonths);
            i += n;
        } else if (lower == QLatin1Char('y')) {
            // A run of one or two letters is the short year, anything longer the full year.
            const int n = RunLength(pattern, i, lower, 4);
            if (n <= 2) {
                AppendTwoDigits(text, f.year);
            } else if (f.year >= 0 && f.year <= 9999) {
                AppendTwoDigits(text, f.year / 100);
                AppendTwoDigits(text, f.year);
            } else {
                text += QStringLiteral("%1").arg(f.year, 4, 10, QLatin1Char('0'));
            }
            i += n;
        } else {
            text += c;
            ++i;
        }
    }
}

void AppendClock(QString& text, const StampFields& f, const RegionalSettings& settings) {
    int hour = f.hour;
    if (!settings.clock24) hour = hour % 12 == 0 ? 12 : hour % 12;
    if (settings.hourLeadingZero)
        AppendTwoDigits(text, hour);
    else
        AppendInteger(text, hour, 0);
    text += settings.timeSeparator;
    AppendTwoDigits(text, f.minute);
    text += settings.timeSeparator;
    AppendTwoDigits(text, f.second);
}

void AppendTime(QString& text, const StampFields& f, const RegionalSettings& settings) {
    // An empty designator means the clock shows no mark, and so no blank either.
    const QString& mark = f.hour < 12 ? settings.amDesignator : settings.pmDesignator;
    const bool marked = !settings.clock24 && !mark.isEmpty();
    if (marked && settings.markBeforeTime) {
        text += mark;
        text += QLatin1Char(' ');
    }
    AppendClock(text, f, settings);
    if (marked && !settings.markBeforeTime) {
        text += QLatin1Char(' ');
        text += mark;
    }
}

}  // namespace

void AppendDateTime(QString& out, const StampFields& stamp, const RegionalSettings& settings) {
    AppendDate(out, stamp, settings);
    if (stamp.hour != 0 || stamp.minute != 0 || stamp.second != 0) {
        out += QLatin1Char(' ');
        AppendTime(out, stamp, settings);
    }
}

QString DateTimeText(DateTime t, const RegionalSettings& settings) {
    StampFields f{};
    int msec = 0;
    DecodeDateTime(t, f.year, f.month, f.day, f.hour, f.minute, f.second, msec);
    f.weekDay = DayOfWeek(t);
    QString text;
    AppendDateTime(text, f, settings);
    return text;
}

}  // namespace tabulist
