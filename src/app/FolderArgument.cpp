// The folder named on the command line.
#include "app/FolderArgument.h"

#include <QTimer>

#include "forms/Hauptfenster/Hauptfenster.h"
#include "platform/Errors.h"
#include "platform/PathCheck.h"
#include "platform/WorkingDirectory.h"

namespace tabulist {

std::optional<QByteArray> FolderArgument(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    QByteArray folder(argv[1]);
    if (folder.isEmpty() || IsAbsolutePath(folder)) return folder;
    try {
        return ReadWorkingDirectory() + '/' + folder;
    } catch (const TabulistError&) {
        return folder;  // left relative; the opening then reports it as not found
    }
}

void OpenFolderLater(THaupt& window, const QByteArray& folder) {
    THaupt* target = &window;
    QTimer::singleShot(0, target, [target, folder] { target->OpenFolder(folder); });
}

}  // namespace tabulist
