#include "forms/OutputCommands/ViewText.h"

#include <QPlainTextEdit>
#include <QTextBlock>

namespace tabulist {

QString ViewText(const QPlainTextEdit* memo) {
    QString text;
    for (QTextBlock block = memo->document()->begin(); block.isValid(); block = block.next()) {
        if (block != memo->document()->begin()) text += QLatin1Char('\n');
        text += block.text();
    }
    text.replace(QChar::LineSeparator, QLatin1Char('\n'));
    return text;
}

}  // namespace tabulist
