// The main sequence: application object, help file name, the window set, the loop.
#include "forms/Hauptfenster/Application.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Hauptfenster/WindowSet.h"
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
