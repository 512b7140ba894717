#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace tabulist {

class TPEDialog;

// The answer of the exit question.
enum : uint8_t {
    ExitSave = 0,    // "&Yes": save and exit
    ExitNoSave = 1,  // "&No", or nothing was asked
    ExitStay = 2,    // "&Cancel", or the dialog was closed without a button
};
extern uint8_t ExitChoice;

// The main window's close handler. Returns true when the window may close.
// Asks only when OptionsChanged is set. On Yes, copyOptionsIntoSavedOptions brings the
// window's controls into SavedOptions and the record is stored at settingsPath; a failed
// store throws its EInOutError, so the window stays open and OptionsChanged stays set.
bool FormClose(TPEDialog& dialog, const std::function<void()>& copyOptionsIntoSavedOptions,
               const QString& settingsPath);

}  // namespace tabulist
