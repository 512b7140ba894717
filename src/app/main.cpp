// The main sequence: application object, help file name, the window set, the loop.
#include "app/Application.h"
#include "app/WindowSet.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"

int main(int argc, char** argv) {
    tabulist::TApplication app(argc, argv);
    tabulist::SetHelpFile(QStringLiteral("TABULIST.HLP"));
    tabulist::SetProgramDirectory(QCoreApplication::applicationDirPath());
    tabulist::CreateWindowSet();
    tabulist::Windows().Haupt->showMaximized();
    const int result = app.exec();
    tabulist::DestroyWindowSet();
    return result;
}
