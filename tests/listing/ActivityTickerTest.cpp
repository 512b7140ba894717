#include <gtest/gtest.h>

#include "listing/ActivityTicker.h"

namespace tabulist {
namespace {

TEST(ActivityTicker, OneGlyphPerTenTicksEmptiedAtTheThirtiethStep) {
    QString panel = QStringLiteral("untouched");
    int writes = 0;
    ActivityTicker ticker([&](const QString& text) {
        panel = text;
        ++writes;
    });
    auto tick = [&](int n) {
        for (int i = 0; i < n; ++i) ticker.TickActivity();
    };
    tick(9);
    EXPECT_EQ(panel, "untouched");  // the panel is written only every tenth tick
    tick(1);
    EXPECT_EQ(panel, QString(1, ActivityGlyph));
    tick(280);
    EXPECT_EQ(panel, QString(29, ActivityGlyph));
    tick(10);
    EXPECT_EQ(panel, "");
    tick(10);
    EXPECT_EQ(panel, QString(1, ActivityGlyph));
    EXPECT_EQ(writes, 31);
}

}  // namespace
}  // namespace tabulist
