// The folder named on the command line.
#include "app/FolderArgument.h"

#include <QTimer>

#include "forms/Hauptfenster/Hauptfenster.h"
#include "platform/Errors.h"
#include "platform/PathCheck.h"
#include "platform/WorkingDirectory.h"

namespace tabulist {

std::optional<QByteArray> FolderArgument(int argc, char** argv) {
    int first = 1;
    if (argc > 1 && qstrcmp(argv[1], "--") == 0) first = 2;  // a folder named like an option
    if (argc <= first) return std::nullopt;
    QByteArray folder(argv[first]);
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
