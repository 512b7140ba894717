// TMemo, the listing's text view, with its font and colour fields.
#include "forms/Hauptfenster/Memo.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPlainTextDocumentLayout>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
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
    // Ours, so that the editor does not delete it when a listing shows another document.
    document()->setParent(this);
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

void TMemo::BeginListing() {
    if (listingOpen_) {
        clear();
        return;
    }
    listingOpen_ = true;
    if (documents_.empty()) Track(document());
    // The listing is the newest step: what could be redone before it is gone.
    DropLaterDocuments();
    document()->clearUndoRedoStacks(QTextDocument::RedoStack);
    auto* next = new QTextDocument(this);
    next->setDocumentLayout(new QPlainTextDocumentLayout(next));
    next->setUndoRedoEnabled(false);  // steps for every line are of no use and cost time
    Track(next);
    while (documents_.size() > MaxListingSteps + 1) {
        delete documents_.front();
        documents_.erase(documents_.begin());
    }
    at_ = documents_.size() - 1;
    ShowDocument(next);
}

void TMemo::Track(QTextDocument* shown) {
    // An edit in an earlier document starts a new line of history: the later ones go.
    // (Typing merges into the step before it, so every change counts, not new steps.)
    connect(shown, &QTextDocument::contentsChange, this,
            [this, shown](int, int removed, int added) {
                if (quiet_ == 0 && shown == document() && (removed != 0 || added != 0))
                    DropLaterDocuments();
            });
    documents_.push_back(shown);
}

void TMemo::EndListing() {
    if (!listingOpen_) return;
    listingOpen_ = false;
    document()->setUndoRedoEnabled(true);
}

bool TMemo::UndoListing() {
    if (listingOpen_ || at_ == 0 || documents_.empty()) return false;
    ShowDocument(documents_[--at_]);
    return true;
}

bool TMemo::RedoListing() {
    if (listingOpen_ || at_ + 1 >= documents_.size()) return false;
    ShowDocument(documents_[++at_]);
    return true;
}

void TMemo::ShowDocument(QTextDocument* shown) {
    // Font, tab stops and wrapping belong to the document; the one shown now has the
    // current ones.
    const Quiet quiet(quiet_);
    shown->setDefaultFont(document()->defaultFont());
    shown->setDefaultTextOption(document()->defaultTextOption());
    setDocument(shown);
}

void TMemo::DropLaterDocuments() {
    if (documents_.empty()) return;
    while (documents_.size() > at_ + 1) {
        delete documents_.back();
        documents_.pop_back();
    }
}

void TMemo::keyPressEvent(QKeyEvent* event) {
    // Ctrl+Y redoes as well as the desktop's own redo key.
    const bool undo = event->matches(QKeySequence::Undo);
    const bool redo = event->matches(QKeySequence::Redo) ||
                      (event->key() == Qt::Key_Y && event->modifiers() == Qt::ControlModifier);
    if (isReadOnly() || (!undo && !redo)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    const Quiet quiet(quiet_);  // a step back or forth is no new edit
    if (undo && document()->isUndoAvailable())
        QPlainTextEdit::undo();
    else if (undo)
        UndoListing();
    else if (document()->isRedoAvailable())
        QPlainTextEdit::redo();
    else
        RedoListing();
}

void TMemo::changeEvent(QEvent* event) {
    const Quiet quiet(quiet_);  // a new font reformats the text without changing it
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
