#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>

#include "platform/Entries.h"

namespace tabulist {
namespace {

// Masks that make a backtracking matcher take exponential time, against the longest name.
TEST(MaskCost, PathologicalMasksFinishInMilliseconds) {
    const QString name(255, QLatin1Char('a'));
    const QStringList masks = {QStringLiteral("*a").repeated(100) + QLatin1Char('b'),
                               QStringLiteral("*a?").repeated(80) + QStringLiteral("*b.*"),
                               QStringLiteral("*").repeated(500) + QLatin1Char('b'),
                               QStringLiteral("?*").repeated(120) + QLatin1Char('c')};
    for (const QString& mask : masks) {
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 20; ++i) EXPECT_FALSE(MatchesMask(name, mask));
        EXPECT_LT(clock.elapsed(), 200) << mask.left(20).toStdString();  // 10 ms a match
    }
    EXPECT_TRUE(MatchesMask(name, QStringLiteral("*a").repeated(100)));
}

}  // namespace
}  // namespace tabulist
