#pragma once

#include <QString>

#include "listing/ColumnLayout.h"
#include "listing/DetailLine.h"
#include "listing/ListingEngine.h"

namespace tabulist {

class ActivityTicker;

// Whether the body is set in columns of names rather than detail lines.
bool ColumnsChosen(const ListingOptions& options);

// The body of a listing or of one folder's section: a detail line per entry, or the
// entries' name cells set in two to six columns.
class BodyLines {
public:
    explicit BodyLines(const ListingOptions& options);

    bool columns() const { return columns_; }
    // The line the entry completes; null while a line of columns is still being filled.
    const QString* add(const TSearchRec& rec);
    // The line of columns being filled, written even when empty; null for detail lines.
    const QString* rest();

private:
    void startLine();

    bool columns_;
    bool lineDone_ = false;
    DetailLineWriter details_;
    ColumnLayout layout_;
};

// Once per entry before it is fetched: the activity indicator, the window's messages, and
// whether a newer request has taken over (then true).
bool ListingOvertaken(const ListingHooks& hooks, ActivityTicker& ticker);

}  // namespace tabulist
