#pragma once

#include <QString>

namespace tabulist {

// The application's help file: an HTML document with one section per context
// number (anchor "context-N"), shown in the program's own help window.
void SetHelpFile(const QString& path);
QString HelpFile();

// Shows the help window at the section of the given context number.
void ShowHelpContext(int context);

// The context last shown, 0 before any; lets tests see that help was asked for.
int LastHelpContext();

}  // namespace tabulist
