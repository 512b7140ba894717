// The main sequence: application object, help file name, the window set, the loop.
#include "app/Application.h"
#include "app/FolderArgument.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"

int main(int argc, char** argv) {
    tabulist::TApplication app(argc, argv);  // takes Qt's own options out of argv
    const std::optional<QByteArray> folder = tabulist::FolderArgument(argc, argv);
    tabulist::SetHelpFile(QStringLiteral("TABULIST.HLP"));
    tabulist::SetProgramDirectory(QCoreApplication::applicationDirPath());
    tabulist::CreateWindowSet();
    tabulist::Windows().Haupt->showMaximized();
    if (folder) tabulist::OpenFolderLater(*tabulist::Windows().Haupt, *folder);
    const int result = app.exec();
    tabulist::DestroyWindowSet();
    return result;
}
