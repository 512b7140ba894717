#pragma once

#include <QDialog>
#include <functional>

namespace tabulist::test {

// Answers the next modal dialog from inside its own event loop: once a modal dialog is
// up, action runs on it. If none appears within a few seconds the test fails.
void AnswerNextModal(std::function<void(QDialog&)> action);

// Lets queued events run, so that a key or click has had its effect.
void ProcessEvents();

}  // namespace tabulist::test
