#pragma once

#include <QDialog>
#include <functional>

namespace tabulist::test {

// How long a test waits for something the event loop has to bring about.
constexpr int EventDeadlineMs = 5000;

// Runs action on the next modal dialog of the given class once it is up, from inside the
// dialog's own event loop. If none appears before the deadline the test fails.
void AnswerNextModal(std::function<void(QDialog&)> action, const char* className = "QDialog");

// Lets the events queued so far run, so that a key, click or timer has had its effect.
void ProcessEvents();

// Lets events run until done() holds; fails the test and returns false at the deadline.
bool PumpUntil(const std::function<bool()>& done, int deadlineMs = EventDeadlineMs);

}  // namespace tabulist::test
