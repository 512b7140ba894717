// The clock panel's text and the time source tests can replace.
#include "forms/Hauptfenster/Clock.h"

#include "listing/DateTimeText.h"

namespace tabulist {

namespace {

std::function<QDateTime()> dateTimeSource;

const char* const WeekdayAbbreviations[] = {"So", "Mo", "Tu", "We", "Th", "Fr", "Sa"};

DateTime DateTimeOf(const QDateTime& now) {
    const QTime t = now.time();
    return double(QDate(1899, 12, 30).daysTo(now.date())) +
           EncodeTime(t.hour(), t.minute(), t.second());
}

}  // namespace

QString ClockPanelText(const QDateTime& now, const RegionalSettings& regional) {
    const DateTime t = DateTimeOf(now);
    return QString::fromLatin1(WeekdayAbbreviations[DayOfWeek(t) - 1]) + QStringLiteral("., ") +
           DateTimeText(t, regional);
}

QDateTime CurrentDateTime() {
    return dateTimeSource ? dateTimeSource() : QDateTime::currentDateTime();
}

void SetCurrentDateTimeSource(std::function<QDateTime()> source) {
    dateTimeSource = std::move(source);
}

}  // namespace tabulist
