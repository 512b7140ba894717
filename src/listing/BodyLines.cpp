// BodyLines: detail lines or columns, shared by the listing of one folder and of a tree.
#include "listing/BodyLines.h"

#include "listing/ActivityTicker.h"

namespace tabulist {

bool ColumnsChosen(const ListingOptions& options) {
    // No column selected reads as one column, which is what the column list shows then.
    return options.columnIndex >= 1 && options.columnIndex <= 5;
}

BodyLines::BodyLines(const ListingOptions& options)
    : columns_(ColumnsChosen(options)),
      details_(options),
      layout_(columns_ ? options.columnIndex + 1 : 1) {}

const QString* BodyLines::add(const TSearchRec& rec) {
    if (!columns_) return &details_.line(rec);
    startLine();
    if (!layout_.add(rec)) return nullptr;
    lineDone_ = true;
    return &layout_.pending();
}

const QString* BodyLines::rest() {
    if (!columns_) return nullptr;
    startLine();
    return &layout_.pending();
}

void BodyLines::startLine() {
    // The line handed out last stays as it was until the next one begins.
    if (lineDone_) layout_.nextLine();
    lineDone_ = false;
}

bool ListingOvertaken(const ListingHooks& hooks, ActivityTicker& ticker) {
    ticker.TickActivity();
    if (hooks.processMessages) hooks.processMessages();
    // A newer request may have arrived while the messages ran; it wins.
    return hooks.abandoned && hooks.abandoned();
}

}  // namespace tabulist
