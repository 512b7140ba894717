#pragma once

#include <QString>
#include <QStringList>

namespace tabulist {

// The user's date and time conventions, as a value so that tests can pass their own.
// Defaults are the fallbacks used when the locale leaves an item empty.
struct RegionalSettings {
    QString dateSeparator = QStringLiteral("/");
    QString shortDatePattern = QStringLiteral("m/d/yy");  // d dd m mm mmm mmmm ddd dddd yy yyyy /
    QString timeSeparator = QStringLiteral(":");
    bool hourLeadingZero = false;
    bool clock24 = false;
    bool markBeforeTime = false;  // am/pm mark before the time instead of after it
    QString amDesignator = QStringLiteral("am");
    QString pmDesignator = QStringLiteral("pm");
    QStringList shortMonthNames;  // 12 names, January first
    QStringList longMonthNames;
    QStringList shortDayNames;  // 7 names, Sunday first
    QStringList longDayNames;

    // Reads the C library's LC_TIME locale (nl_langinfo) as it stands now.
    static RegionalSettings fromLocale();
};

}  // namespace tabulist
