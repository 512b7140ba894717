// The local time and its offset from the system's time-zone rules, through Qt, which reads
// them with the Windows calls for that date.
#include <QDateTime>
#include <QTimeZone>

#include "platform/IsoTime.h"

namespace tabulist {

QString IsoLocalTimeText(int64_t secondsSince1970) {
    const QDateTime local = QDateTime::fromSecsSinceEpoch(secondsSince1970, Qt::LocalTime);
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

}  // namespace tabulist
