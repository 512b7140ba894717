#pragma once

#include <QString>
#include <functional>

#ifdef _WIN32
#include "platform/CodePage.h"
#endif

namespace tabulist {

// The glyph the activity indicator grows by: 0x9F of the system's code page, which is
// U+0178 in Windows-1252.
#ifdef _WIN32
inline const QChar ActivityGlyph = CodePageCharacter(SystemAnsiCodePage(), 0x9F, QChar(0x0178));
#else
inline constexpr QChar ActivityGlyph{0x0178};
#endif

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
