#pragma once

#include <functional>

class QPrinter;
class QWidget;

namespace tabulist {

// Druckereinrichten1Click: the printer set-up dialog (printer, paper size, orientation);
// confirming makes the chosen printer and its settings current.
void PrinterOptionsCommand(QWidget* parent);

// Shows PrinterSetupDialog1 on a printer holding the current settings; returns whether the
// user confirmed. Tests put their own answer here.
extern std::function<bool(QWidget* parent, QPrinter& printer)> confirmPrinterSetup;

}  // namespace tabulist
