// The status bar's activity indicator, advanced while a listing runs.
#include "listing/ActivityTicker.h"

namespace tabulist {

void ActivityTicker::TickActivity() {
    if (++tickCount_ < 10) return;
    tickCount_ = 0;
    if (++tickGlyphs_ >= 30) {
        tickGlyphs_ = 0;
        glyphs_.clear();
    } else {
        glyphs_ += ActivityGlyph;
    }
    if (show_) show_(glyphs_);
}

}  // namespace tabulist
