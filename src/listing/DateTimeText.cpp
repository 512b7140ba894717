// Date-time values as text, by the regional settings' patterns.
#include "listing/DateTimeText.h"

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

const QString& NameOf(const QStringList& names, int index, const char* const fallback[],
                      QString& fallbackText) {
    if (index < names.size() && !names[index].isEmpty()) return names[index];
    fallbackText = QLatin1String(fallback[index]);
    return fallbackText;
}

void AppendTwoDigits(LineBuffer& out, int n) {
    n %= 100;
    if (n < 0) {  // only a value from outside the calendar's range gets here
        out += QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
        return;
    }
    out += QChar(u'0' + n / 10);
    out += QChar(u'0' + n % 10);
}

int RunLength(const QString& pattern, qsizetype at, QChar letter, int limit) {
    int n = 0;
    while (at + n < pattern.size() && n < limit && pattern[at + n].toLower() == letter) ++n;
    return n;
}

}  // namespace

DateTimeWriter::DateTimeWriter(const RegionalSettings& settings) : settings_(settings) {
    const QString& pattern = settings.shortDatePattern;
    auto text = [this](QStringView t) {
        if (pieces_.empty() || pieces_.back().item != Text) pieces_.push_back({Text, 0, {}, {}});
        pieces_.back().text += t;
    };
    auto names = [this](Item item, int count, const QStringList& given,
                        const char* const fallback[]) {
        Piece piece{item, 0, {}, {}};
        QString fallbackText;
        for (int i = 0; i < count; ++i)
            piece.names.push_back(NameOf(given, i, fallback, fallbackText));
        pieces_.push_back(std::move(piece));
    };
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == QLatin1Char('\'') || c == QLatin1Char('"')) {
            qsizetype end = pattern.indexOf(c, i + 1);
            if (end < 0) end = pattern.size();
            text(QStringView(pattern).mid(i + 1, end - i - 1));
            i = end + 1;
        } else if (c == QLatin1Char('/')) {
            text(settings.dateSeparator);
            ++i;
        } else if (lower == QLatin1Char('d') || lower == QLatin1Char('m')) {
            const bool day = lower == QLatin1Char('d');
            const int n = RunLength(pattern, i, lower, 4);
            if (n == 1) pieces_.push_back({day ? Day : Month, 0, {}, {}});
            if (n == 2) pieces_.push_back({day ? Day : Month, 2, {}, {}});
            if (n == 3 && day) names(DayName, 7, settings.shortDayNames, EnglishShortDays);
            if (n == 4 && day) names(DayName, 7, settings.longDayNames, EnglishLongDays);
            if (n == 3 && !day) names(MonthName, 12, settings.shortMonthNames, EnglishShortMonths);
            if (n == 4 && !day) names(MonthName, 12, settings.longMonthNames, EnglishLongMonths);
            i += n;
        } else if (lower == QLatin1Char('y')) {
            // A run of one or two letters is the short year, anything longer the full year.
            const int n = RunLength(pattern, i, lower, 4);
            pieces_.push_back({Year, n <= 2 ? 2 : 4, {}, {}});
            i += n;
        } else {
            text(QStringView(&c, 1));
            ++i;
        }
    }
}

void DateTimeWriter::writeDate(LineBuffer& text, const StampFields& f) const {
    for (const Piece& piece : pieces_) {
        switch (piece.item) {
            case Text:
                text += piece.text;
                break;
            case Day:
            case Month: {
                const int n = piece.item == Day ? f.day : f.month;
                if (piece.width == 2)
                    AppendTwoDigits(text, n);
                else
                    AppendInteger(text, n, 0);
                break;
            }
            case DayName:
            case MonthName: {
                const int index = (piece.item == DayName ? f.weekDay : f.month) - 1;
                if (index >= 0 && index < piece.names.size()) text += piece.names[index];
                break;
            }
            case Year:
                if (piece.width == 2) {
                    AppendTwoDigits(text, f.year);
                } else if (f.year >= 0 && f.year <= 9999) {
                    AppendTwoDigits(text, f.year / 100);
                    AppendTwoDigits(text, f.year);
                } else {
                    text += QStringLiteral("%1").arg(f.year, 4, 10, QLatin1Char('0'));
                }
                break;
        }
    }
}

namespace {

void AppendClock(LineBuffer& text, const StampFields& f, const RegionalSettings& settings) {
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

void AppendTime(LineBuffer& text, const StampFields& f, const RegionalSettings& settings) {
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

void DateTimeWriter::write(LineBuffer& out, const StampFields& stamp) const {
    writeDate(out, stamp);
    if (stamp.hour != 0 || stamp.minute != 0 || stamp.second != 0) {
        out += QLatin1Char(' ');
        AppendTime(out, stamp, settings_);
    }
}

QString DateTimeText(DateTime t, const RegionalSettings& settings) {
    StampFields f{};
    int msec = 0;
    DecodeDateTime(t, f.year, f.month, f.day, f.hour, f.minute, f.second, msec);
    f.weekDay = DayOfWeek(t);
    LineBuffer text;
    DateTimeWriter(settings).write(text, f);
    return text.take();
}

}  // namespace tabulist
