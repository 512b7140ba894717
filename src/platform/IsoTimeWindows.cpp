// The local time and its offset from the system's time-zone rules, through Qt, which reads
// them with the Windows calls for that date.
#include <QDateTime>
#include <QTimeZone>

#include "platform/IsoTime.h"

namespace tabulist {

namespace {

QDateTime LocalTime(int64_t secondsSince1970) {
    return QDateTime::fromSecsSinceEpoch(secondsSince1970, Qt::LocalTime);
}

}  // namespace

QString IsoLocalTimeText(int64_t secondsSince1970) {
    const QDateTime local = LocalTime(secondsSince1970);
    const int offset = local.isValid() ? local.offsetFromUtc() : 0;
    const QDateTime shown =
        local.isValid() ? local : QDateTime::fromSecsSinceEpoch(secondsSince1970, Qt::UTC);
    const int magnitude = offset < 0 ? -offset : offset;
    return shown.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) +
           QLatin1Char(offset < 0 ? '-' : '+') +
           QStringLiteral("%1:%2")
               .arg(magnitude / 3600, 2, 10, QLatin1Char('0'))
               .arg(magnitude / 60 % 60, 2, 10, QLatin1Char('0'));
}

int64_t LocalClockSeconds(int64_t secondsSince1970) {
    const QDateTime local = LocalTime(secondsSince1970);
    return local.isValid() ? secondsSince1970 + local.offsetFromUtc() : secondsSince1970;
}

bool LocalTimeOf(int64_t secondsSince1970, LocalTimeParts& parts) {
    const QDateTime local = LocalTime(secondsSince1970);
    if (!local.isValid()) return false;
    const QDate date = local.date();
    const QTime time = local.time();
    parts = {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
    return true;
}

}  // namespace tabulist
