#pragma once

class QPlainTextEdit;
class QWidget;

namespace tabulist {

class PrintCommand;

// File > Print preview: the pages the print command would produce from the text view, on the
// current printer's device and page layout. Returns whether the user asked to print from the
// preview; the caller then runs the print command itself.
bool PrintPreviewCommand(QWidget* parent, const QPlainTextEdit* memo, PrintCommand& command);

}  // namespace tabulist
