#include "forms/Hauptfenster/WindowSet.h"

#include <QDir>

#include "forms/About/About.h"
#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/PEnde/PEnde.h"
#include "forms/Zusatz/Zusatz.h"

namespace tabulist {

namespace {
TWindowSet windowSet;
QString programDirectory;
}  // namespace

TWindowSet& Windows() { return windowSet; }

QString ProgramDirectory() { return programDirectory; }

void SetProgramDirectory(const QString& directory) {
    programDirectory = directory;
    if (!programDirectory.isEmpty() && !programDirectory.endsWith(QLatin1Char('/')))
        programDirectory += QLatin1Char('/');
}

void CreateWindowSet() {
    windowSet.Haupt = new THaupt;
    windowSet.Haupt->setObjectName(QStringLiteral("Haupt"));
    auto create = [](QDialog* dialog, const char* name) {
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
