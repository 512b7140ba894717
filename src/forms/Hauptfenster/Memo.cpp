// TMemo, the listing's text view, with its font and colour fields.
#include "forms/Hauptfenster/Memo.h"

#include <QEvent>
#include <QScrollBar>
#include <QTextCursor>
#include <cmath>

#include "forms/Hauptfenster/ColorValues.h"

namespace tabulist {

TMemo::TMemo(QWidget* parent)
    : QPlainTextEdit(parent), fontColor_(clWindowText), backgroundColor_(clWindow) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabStopDistance(8 * fontMetrics().averageCharWidth());
    ApplyColors();
}

void TMemo::SetFontColor(int32_t value) {
    fontColor_ = value;
    ApplyColors();
}

void TMemo::SetBackgroundColor(int32_t value) {
    backgroundColor_ = value;
    ApplyColors();
}

int32_t TMemo::FontHeight() const {
    const QFont& f = font();
    if (f.pointSizeF() <= 0) return -f.pixelSize();
    return -int32_t(std::lround(f.pointSizeF() * logicalDpiY() / 72.0));
}

int32_t TMemo::FontSize() const {
    const QFont& f = font();
    if (f.pointSizeF() > 0) return int32_t(std::lround(f.pointSizeF()));
    return int32_t(std::lround(f.pixelSize() * 72.0 / logicalDpiY()));
}

uint8_t TMemo::FontStyle() const {
    const QFont& f = font();
    return uint8_t((f.bold() ? 1 : 0) | (f.italic() ? 2 : 0) | (f.underline() ? 4 : 0) |
                   (f.strikeOut() ? 8 : 0));
}

void TMemo::SetFontStyle(uint8_t style) {
    QFont f = font();
    f.setBold(style & 1);
    f.setItalic(style & 2);
    f.setUnderline(style & 4);
    f.setStrikeOut(style & 8);
    setFont(f);
}

void TMemo::AppendLines(const QStringList& lines) {
    if (lines.isEmpty()) return;
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

void TMemo::changeEvent(QEvent* event) {
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        setTabStopDistance(8 * fontMetrics().averageCharWidth());
}

void TMemo::ApplyColors() {
    QPalette p = palette();
    const QPalette system = QPalette();
    p.setColor(QPalette::Base, ColorFromValue(backgroundColor_, system));
    p.setColor(QPalette::Text, ColorFromValue(fontColor_, system));
    // Keep the selection as visible without focus as with it.
    for (auto role : {QPalette::Highlight, QPalette::HighlightedText})
        p.setColor(QPalette::Inactive, role, p.color(QPalette::Active, role));
    setPalette(p);
}

}  // namespace tabulist
