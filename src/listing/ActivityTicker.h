#pragma once

#include <QString>
#include <functional>

namespace tabulist {

// The glyph the activity indicator grows by.
inline constexpr QChar ActivityGlyph{0x0178};

// The activity indicator: one glyph more every 10 fetches, emptied at the 30th step.
class ActivityTicker {
public:
    explicit ActivityTicker(std::function<void(const QString&)> show) : show_(std::move(show)) {}

    void TickActivity();
    const QString& glyphs() const { return glyphs_; }

private:
    std::function<void(const QString&)> show_;
    int tickCount_ = 0;
    int tickGlyphs_ = 0;
    QString glyphs_;
};

}  // namespace tabulist
