#pragma once

#include <QString>

namespace tabulist {

// The directory of the program file, with its trailing "/"; the help and settings
// files lie there. Tests point it at a temporary directory.
QString ProgramDirectory();
void SetProgramDirectory(const QString& directory);

}  // namespace tabulist
