#pragma once

#include <QString>

class QDialog;

namespace tabulist {

// The application's help file: an HTML document with one section per context
// number (anchor "context-N"), shown in the program's own help window.
void SetHelpFile(const QString& path);
QString HelpFile();

// Shows the help window at the section of the given context number.
void ShowHelpContext(int context);

// Gives a dialog built on Qt's own (file, print, colour) a Help button in its button row and
// F1, both showing the given context.
void OfferHelp(QDialog* dialog, int context);

// The context last shown, 0 before any; lets tests see that help was asked for.
int LastHelpContext();

}  // namespace tabulist
