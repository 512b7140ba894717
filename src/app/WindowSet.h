#pragma once

#include <QDialog>
#include <QString>

#include "forms/Hauptfenster/HauptDialogs.h"
#include "forms/ProgramDirectory.h"  // SetProgramDirectory, for the callers of CreateWindowSet

namespace tabulist {

class THaupt;

// The five windows of the program, created once at start-up in this order and alive
// until it ends; each bears its form name as object name.
struct TWindowSet : THauptDialogs {
    THaupt* Haupt = nullptr;
};
TWindowSet& Windows();

// Creates the window set in its order (THaupt's creation runs its start-up).
void CreateWindowSet();
// Destroys it, dialogs first.
void DestroyWindowSet();

}  // namespace tabulist
