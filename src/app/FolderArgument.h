#pragma once

#include <QByteArray>
#include <optional>

namespace tabulist {

class THaupt;

// "Tabulist [--] DIRECTORY": the first argument left after Qt's own (and after "--"), taken
// against the working directory now (before the window's start-up may move it); none
// without an argument.
std::optional<QByteArray> FolderArgument(int argc, char** argv);

// Once the message loop runs, the window opens the folder; an error reaches the error
// display like any other.
void OpenFolderLater(THaupt& window, const QByteArray& folder);

}  // namespace tabulist
