#pragma once

#include <QString>

class QPlainTextEdit;

namespace tabulist {

// The view's characters with "\n" between its lines. Unlike toPlainText() it keeps a
// no-break space as it is; a line separator (Shift+Enter) ends a line like any other.
QString ViewText(const QPlainTextEdit* memo);

}  // namespace tabulist
