#pragma once

#include <QString>
#include <functional>

namespace tabulist {

class TZusatzformular;
class TInfo;
class TPEDialog;
class TDrucken;

// The dialogs the main window opens. The window set fills them in once they exist
// (they are the main window's children, so they come after it).
struct THauptDialogs {
    TZusatzformular* Zusatzformular = nullptr;
    TInfo* Info = nullptr;
    TPEDialog* PEDialog = nullptr;
    TDrucken* Drucken = nullptr;
};

// Shows an error where no event carries it to the application object.
using ErrorDisplay = std::function<void(const QString& message)>;

}  // namespace tabulist
