#include <gtest/gtest.h>

#include <limits>

#include "listing/Rendering.h"
#include "support/RenderingPrinters.h"

namespace tabulist {
namespace {

TEST(IntegerText, FillsOnTheLeftAndNeverCuts) {
    EXPECT_EQ(IntegerText(1234, 9), QStringLiteral("     1234"));
    EXPECT_EQ(IntegerText(-1, 0), QStringLiteral("-1"));
    EXPECT_EQ(IntegerText(0, 3), QStringLiteral("  0"));
    EXPECT_EQ(IntegerText(1234567890, 9), QStringLiteral("1234567890"));
    EXPECT_EQ(IntegerText(3221225472LL, 0), QStringLiteral("3221225472"));
    EXPECT_EQ(IntegerText(std::numeric_limits<int64_t>::min(), 0),
              QStringLiteral("-9223372036854775808"));
}

TEST(FixedText, WidthsOfTheListingForms) {
    EXPECT_EQ(FixedText(1.5, 9, 3), QStringLiteral("    1.500"));
    EXPECT_EQ(DecimalComma(FixedText(1.5, 9, 3)), QStringLiteral("    1,500"));
    EXPECT_EQ(DecimalComma(QStringLiteral("1.5.2")), QStringLiteral("1,5.2"));
    EXPECT_EQ(FixedText(1024, 7, 3), QStringLiteral("1024.000"));
    EXPECT_EQ(FixedText(75, 6, 2), QStringLiteral(" 75.00"));
    EXPECT_EQ(FixedText(100, 6, 2), QStringLiteral("100.00"));
    EXPECT_EQ(FixedText(0.25, 0, 0), QStringLiteral("0"));
    EXPECT_EQ(FixedText(12345678901234.5, 0, 1), QStringLiteral("12345678901234.5"));
}

TEST(FixedText, RoundsHalfAwayFromZeroOnEighteenDigits) {
    EXPECT_EQ(FixedText(0.0625, 9, 3), QStringLiteral("    0.063"));
    EXPECT_EQ(FixedText(-0.0625, 0, 3), QStringLiteral("-0.063"));
    EXPECT_EQ(FixedText(2.5, 0, 0), QStringLiteral("3"));
    EXPECT_EQ(FixedText(0.5, 0, 0), QStringLiteral("1"));
    // 0.1245 lies just below the half in binary, but its 18 digits end in ...50000.
    EXPECT_EQ(FixedText(0.1245, 0, 3), QStringLiteral("0.125"));
    // 1.005 is 1.00499999999999989... to 18 digits: no round up.
    EXPECT_EQ(FixedText(1.005, 0, 2), QStringLiteral("1.00"));
    // Carries run through every digit and can add one in front.
    EXPECT_EQ(FixedText(9.9996, 0, 3), QStringLiteral("10.000"));
    EXPECT_EQ(FixedText(999.96, 0, 1), QStringLiteral("1000.0"));
    EXPECT_EQ(FixedText(0.00096, 0, 3), QStringLiteral("0.001"));
    EXPECT_EQ(FixedText(0.00049, 0, 3), QStringLiteral("0.000"));
}

TEST(FixedText, MinusSignWheneverNegative) {
    EXPECT_EQ(FixedText(-0.0001, 9, 3), QStringLiteral("   -0.000"));
    EXPECT_EQ(FixedText(-1e-300, 0, 2), QStringLiteral("-0.00"));
    EXPECT_EQ(FixedText(-1234.5678, 10, 2), QStringLiteral("  -1234.57"));
    EXPECT_EQ(FixedText(0.0, 5, 2), QStringLiteral(" 0.00"));
}

TEST(FixedText, ManyDecimalsAndHugeValues) {
    const QString text = FixedText(0.1, 0, 30);
    EXPECT_EQ(text, QStringLiteral("0.100000000000000006") + QString(12, QLatin1Char('0')));
    EXPECT_EQ(FixedText(1e20, 0, 1), QStringLiteral("1") + QString(20, QLatin1Char('0')) + ".0");
    // Beyond 18 significant digits every digit is zero: 2^100 = 1267650600228229401496703205376.
    EXPECT_EQ(FixedText(0x1p100, 0, 0),
              QStringLiteral("126765060022822940") + QString(13, QLatin1Char('0')));
    const QString huge = FixedText(-2e40, 0, 3);
    EXPECT_TRUE(huge.startsWith(QLatin1Char('-')));
    EXPECT_TRUE(huge.contains(QLatin1Char('E'))) << huge.toStdString();
    EXPECT_LT(huge.size(), 30);
}

}  // namespace
}  // namespace tabulist
