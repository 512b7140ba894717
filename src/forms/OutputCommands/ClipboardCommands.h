#pragma once

class QPlainTextEdit;

namespace tabulist {

// Allesmarkieren1Click: focus to the view, then its whole text selected.
void SelectAllCommand(QPlainTextEdit* memo);
// Kopieren1Click: the selection to the clipboard as text; an empty selection leaves the
// clipboard alone. The focus stays where it is.
void CopyCommand(QPlainTextEdit* memo);
// Einfuegen1Click: the clipboard's text replaces the selection at the caret; without text
// on the clipboard nothing happens. The focus stays where it is.
void PasteCommand(QPlainTextEdit* memo);

}  // namespace tabulist
