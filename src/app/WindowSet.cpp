// Creating and destroying the program's five windows.
#include "app/WindowSet.h"

#include "app/Application.h"
#include "forms/About/About.h"
#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"

namespace tabulist {

namespace {
TWindowSet windowSet;
}  // namespace

TWindowSet& Windows() { return windowSet; }

void CreateWindowSet() {
    // The main window keeps a reference to the dialog table, which is filled in below.
    windowSet.Haupt = new THaupt(windowSet, &ShowErrorDisplay);
    windowSet.Haupt->setObjectName(QStringLiteral("Haupt"));
    auto create = [](auto* dialog, const char* name) {
        dialog->setObjectName(QString::fromLatin1(name));
        return dialog;
    };
    windowSet.Zusatzformular = create(new TZusatzformular(windowSet.Haupt), "Zusatzformular");
    windowSet.Info = create(new TInfo(windowSet.Haupt), "Info");
    windowSet.PEDialog = create(new TPEDialog(windowSet.Haupt), "PEDialog");
    windowSet.Drucken = create(new TDrucken(windowSet.Haupt), "Drucken");
}

void DestroyWindowSet() {
    delete windowSet.Haupt;  // owns the dialogs
    windowSet = TWindowSet{};
}

}  // namespace tabulist
