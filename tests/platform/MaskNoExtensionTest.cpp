#include <gtest/gtest.h>

#include "platform/Entries.h"

namespace tabulist {
namespace {

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
