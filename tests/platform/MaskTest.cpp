#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QStringList>

#include "platform/MaskMatcher.h"

namespace tabulist {
namespace {

TEST(MatchesMask, WildcardsAndCase) {
    EXPECT_TRUE(MatchesMask("Report.TXT", "*.txt"));
    EXPECT_TRUE(MatchesMask("report.txt", "REPORT.*"));
    EXPECT_TRUE(MatchesMask(QString::fromUtf8("ÄRGER.md"), QString::fromUtf8("ärger.MD")));
    EXPECT_FALSE(MatchesMask("report.txt.bak", "*.txt"));
    EXPECT_TRUE(MatchesMask("a1c", "a?c"));
    EXPECT_FALSE(MatchesMask("ac", "a?c"));
    EXPECT_FALSE(MatchesMask("abbc", "a?c"));
    EXPECT_TRUE(MatchesMask(QString::fromUtf8("aéc"), "a?c"));
    EXPECT_TRUE(MatchesMask(QString::fromUtf8("a\U0001F600c"), "a?c"));  // one character
    EXPECT_TRUE(MatchesMask("abc", "a**c"));
    EXPECT_TRUE(MatchesMask("mississippi", "*sip*"));
    EXPECT_FALSE(MatchesMask("mississippi", "*sipx*"));
    EXPECT_TRUE(MatchesMask("abc", "abc"));
    EXPECT_FALSE(MatchesMask("abcd", "abc"));
}

TEST(MatchesMask, StarFormsMatchEveryName) {
    for (const char* name : {"plain", "with.dot", ".hidden", ".", "..", "a.b.c"}) {
        EXPECT_TRUE(MatchesMask(name, "*")) << name;
        EXPECT_TRUE(MatchesMask(name, "*.*")) << name;
    }
}

TEST(MatchesMask, MaskEndingInDotStarAlsoMatchesNamesWithoutDot) {
    EXPECT_TRUE(MatchesMask("README", "readme.*"));
    EXPECT_TRUE(MatchesMask("readme.md", "readme.*"));
    EXPECT_TRUE(MatchesMask("Makefile", "m*.*"));
    EXPECT_FALSE(MatchesMask("readme2", "readme.*"));
    EXPECT_FALSE(MatchesMask("x.y", "*.z*"));
    EXPECT_TRUE(MatchesMask(".profile", ".*"));
}

TEST(MatchesMask, EmptyMaskMatchesNothing) {
    EXPECT_FALSE(MatchesMask("a", ""));
    EXPECT_FALSE(MatchesMask("", ""));
}

TEST(MatchesMask, PathologicalMaskTakesLinearTime) {
    QString mask;
    for (int i = 0; i < 100; ++i) mask += "*a";
    mask += "b";
    const QString name(255, QLatin1Char('a'));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(MatchesMask(name, mask));
    EXPECT_TRUE(MatchesMask(name + "b", mask));
    EXPECT_LT(timer.elapsed(), 1000);
}

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

TEST(MatchesMask, MaskEndingInDotMatchesNamesWithoutExtension) {
    EXPECT_TRUE(MatchesMask("Makefile", "*."));
    EXPECT_TRUE(MatchesMask("README", "*."));
    EXPECT_FALSE(MatchesMask("readme.md", "*."));
    EXPECT_FALSE(MatchesMask(".profile", "*."));
    EXPECT_TRUE(MatchesMask("Abc", "a*."));
    EXPECT_TRUE(MatchesMask("a", "a*."));
    EXPECT_FALSE(MatchesMask("bcd", "a*."));
    EXPECT_FALSE(MatchesMask("abc.txt", "a*."));
    EXPECT_TRUE(MatchesMask("ab", "a?."));
    EXPECT_FALSE(MatchesMask("abc", "a?."));
    // A name that really ends in a dot has an empty extension and still matches.
    EXPECT_TRUE(MatchesMask("odd.", "*."));
}

}  // namespace
}  // namespace tabulist
