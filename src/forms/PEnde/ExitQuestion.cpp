// FormClose: asking on exit whether to save changed options, and storing them.
#include "forms/PEnde/ExitQuestion.h"

#include "forms/PEnde/PEnde.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"

namespace tabulist {

uint8_t ExitChoice = ExitNoSave;

bool FormClose(TPEDialog& dialog, const std::function<void()>& copyOptionsIntoSavedOptions,
               const QString& settingsPath) {
    ExitChoice = ExitNoSave;
    if (OptionsChanged) {
        // Closing the dialog without a button must mean "stay".
        ExitChoice = ExitStay;
        dialog.exec();
    }
    switch (ExitChoice) {
        case ExitSave:
            if (OptionsChanged) {
                if (copyOptionsIntoSavedOptions) copyOptionsIntoSavedOptions();
                StoreSavedOptions(settingsPath);
                StoreAddedOptions(AddedOptionsPath(settingsPath), AddedOptions);
            }
            return true;
        case ExitStay:
            return false;
        default:
            return true;
    }
}

}  // namespace tabulist
