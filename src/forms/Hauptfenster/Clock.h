#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

#include "listing/RegionalSettings.h"

namespace tabulist {

// The clock panel's text: weekday abbreviation, "., ", then the date and, unless it is
// exactly midnight, a blank and the time. Milliseconds are not part of it.
QString ClockPanelText(const QDateTime& now, const RegionalSettings& regional);

// The local date and time the window goes by; tests set their own.
QDateTime CurrentDateTime();
void SetCurrentDateTimeSource(std::function<QDateTime()> source);

}  // namespace tabulist
