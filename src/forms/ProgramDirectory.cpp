// Where the program's help and settings files lie.
#include "forms/ProgramDirectory.h"

namespace tabulist {

namespace {
QString programDirectory;
}

QString ProgramDirectory() { return programDirectory; }

void SetProgramDirectory(const QString& directory) {
    programDirectory = directory;
    if (!programDirectory.isEmpty() && !programDirectory.endsWith(QLatin1Char('/')))
        programDirectory += QLatin1Char('/');
}

}  // namespace tabulist
