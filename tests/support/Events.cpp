// The one event pump and modal-dialog answerer of the test programs.
#include "support/Events.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QTimer>

namespace tabulist::test {

void AnswerNextModal(std::function<void(QDialog&)> action, const char* className) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(EventDeadlineMs);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, action, className] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        const bool found = dialog && dialog->inherits(className);
        if (!found && !deadline.hasExpired()) return;
        timer->stop();
        timer->deleteLater();
        if (found)
            action(*dialog);
        else
            ADD_FAILURE() << "no modal " << className << " appeared";
    });
    timer->start(10);
}

void ProcessEvents() { QApplication::processEvents(QEventLoop::AllEvents, 20); }

bool PumpUntil(const std::function<bool()>& done, int deadlineMs) {
    const QDeadlineTimer deadline(deadlineMs);
    QTimer heartbeat;  // wakes the wait below, so the deadline is looked at every 10 ms
    heartbeat.start(10);
    while (!done()) {
        if (deadline.hasExpired()) {
            ADD_FAILURE() << "the awaited state did not come within " << deadlineMs << " ms";
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    }
    ProcessEvents();
    return true;
}

}  // namespace tabulist::test
