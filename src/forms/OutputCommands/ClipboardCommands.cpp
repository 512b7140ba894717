// Copy, paste and select all on the text view.
#include "forms/OutputCommands/ClipboardCommands.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>

namespace tabulist {

void SelectAllCommand(QPlainTextEdit* memo) {
    memo->setFocus();
    memo->selectAll();
}

void CopyCommand(QPlainTextEdit* memo) {
    if (!memo->textCursor().hasSelection()) return;
    memo->copy();
}

void PasteCommand(QPlainTextEdit* memo) {
    const QString text = QGuiApplication::clipboard()->text();
    if (text.isEmpty()) return;
    memo->insertPlainText(text);
}

}  // namespace tabulist
