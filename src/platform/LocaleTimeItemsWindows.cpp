// The user's regional date and time items through GetLocaleInfoEx. Windows writes its
// patterns with letters ("dd.MM.yyyy", "h:mm:ss tt"); they are put in the C library's form
// the rendering reads, so both systems share one mapping to the listing's settings.
#include "platform/LocaleTimeItems.h"
#include "platform/WindowsCalls.h"

namespace tabulist {

namespace {

QString Item(LCTYPE type) {
    wchar_t text[128];
    const int n = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, type, text, 128);
    return n > 1 ? QString::fromWCharArray(text, n - 1) : QString();
}

QString Conversion(QChar letter, qsizetype run) {
    switch (letter.unicode()) {
        case 'd':
            return run == 1   ? QStringLiteral("%-d")
                   : run == 2 ? QStringLiteral("%d")
                   : run == 3 ? QStringLiteral("%a")
                              : QStringLiteral("%A");
        case 'M':
            return run == 1   ? QStringLiteral("%-m")
                   : run == 2 ? QStringLiteral("%m")
                   : run == 3 ? QStringLiteral("%b")
                              : QStringLiteral("%B");
        case 'y':
            return run <= 2 ? QStringLiteral("%y") : QStringLiteral("%Y");
        case 'h':
            return run == 1 ? QStringLiteral("%l") : QStringLiteral("%I");
        case 'H':
            return run == 1 ? QStringLiteral("%k") : QStringLiteral("%H");
        case 'm':
            return run == 1 ? QStringLiteral("%-M") : QStringLiteral("%M");
        case 's':
            return QStringLiteral("%S");
        case 't':
            return QStringLiteral("%p");
        default:
            return QString();  // the era ("g") has no place in a listing
    }
}

}  // namespace

// Quoted text stays literal; '' is a quote.
QString CFormatFromPicture(const QString& picture) {
    QString format;
    for (qsizetype i = 0; i < picture.size();) {
        const QChar c = picture[i];
        if (c == QLatin1Char('\'')) {
            const qsizetype end = picture.indexOf(QLatin1Char('\''), i + 1);
            const QString quoted = picture.mid(i + 1, end < 0 ? -1 : end - i - 1);
            format += quoted.isEmpty() && end == i + 1
                          ? QStringLiteral("'")
                          : QString(quoted).replace(QStringLiteral("%"), QStringLiteral("%%"));
            i = end < 0 ? picture.size() : end + 1;
        } else if (QStringLiteral("dMyhHmstg").contains(c)) {
            qsizetype run = 1;
            while (i + run < picture.size() && picture[i + run] == c) ++run;
            format += Conversion(c, run);
            i += run;
        } else {
            format += c == QLatin1Char('%') ? QStringLiteral("%%") : QString(c);
            ++i;
        }
    }
    return format;
}

LocaleTimeItems ReadLocaleTimeItems() {
    LocaleTimeItems items;
    items.dateFormat = CFormatFromPicture(Item(LOCALE_SSHORTDATE));
    items.timeFormat = CFormatFromPicture(Item(LOCALE_STIMEFORMAT));
    items.timeFormatAmPm = items.timeFormat;
    items.am = Item(LOCALE_S1159);
    items.pm = Item(LOCALE_S2359);
    for (int i = 0; i < 12; ++i) {
        items.shortMonthNames << Item(LOCALE_SABBREVMONTHNAME1 + i);
        items.longMonthNames << Item(LOCALE_SMONTHNAME1 + i);
    }
    // Windows counts the days from Monday (DAYNAME1) to Sunday (DAYNAME7).
    for (int i = 0; i < 7; ++i) {
        const int day = (i + 6) % 7;
        items.shortDayNames << Item(LOCALE_SABBREVDAYNAME1 + day);
        items.longDayNames << Item(LOCALE_SDAYNAME1 + day);
    }
    return items;
}

}  // namespace tabulist
