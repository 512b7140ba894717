#pragma once

#include <QDialog>
#include <QString>

namespace tabulist {

class THaupt;

// The five windows of the program, created once at start-up in this order and alive
// until it ends; each bears its form name as object name.
struct TWindowSet {
    THaupt* Haupt = nullptr;
    QDialog* Zusatzformular = nullptr;
    QDialog* Info = nullptr;
    QDialog* PEDialog = nullptr;
    QDialog* Drucken = nullptr;
};
TWindowSet& Windows();

// The directory of the program file, with its trailing "/"; the help and settings
// files lie there. Tests point it at a temporary directory.
QString ProgramDirectory();
void SetProgramDirectory(const QString& directory);

// Creates the window set in its order (THaupt's creation runs its start-up).
void CreateWindowSet();
// Destroys it, dialogs first.
void DestroyWindowSet();

}  // namespace tabulist
