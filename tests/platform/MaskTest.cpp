#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "platform/Entries.h"

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

}  // namespace
}  // namespace tabulist
