// The user's regional pictures on Windows, read as the C library's conversions that the
// settings are taken from on both systems.
#include <gtest/gtest.h>

#include "listing/RegionalFormats.h"
#include "platform/WindowsCalls.h"

namespace tabulist {
namespace {

TEST(WindowsRegionalItems, PicturesBecomeTheConversionsTheSettingsAreReadFrom) {
    const struct {
        const char* picture;
        const char* format;
    } cases[] = {
        {"M/d/yyyy", "%-m/%-d/%Y"},       {"dd.MM.yyyy", "%d.%m.%Y"},
        {"yyyy-MM-dd", "%Y-%m-%d"},       {"dddd, MMMM d, yyyy", "%A, %B %-d, %Y"},
        {"ddd dd MMM yy", "%a %d %b %y"}, {"h:mm:ss tt", "%l:%M:%S %p"},
        {"HH:mm:ss", "%H:%M:%S"},         {"H' h 'mm", "%k h %M"},
        {"tt hh:mm", "%p %I:%M"},         {"dd'%'MM", "%d%%%m"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CFormatFromPicture(QString::fromLatin1(c.picture)), QString::fromLatin1(c.format))
            << c.picture;

    LocaleTimeItems items;
    items.dateFormat = CFormatFromPicture(QStringLiteral("dd.MM.yyyy"));
    items.timeFormat = CFormatFromPicture(QStringLiteral("H:mm:ss"));
    const RegionalSettings s = RegionalSettingsFromItems(items);
    EXPECT_EQ(s.shortDatePattern, QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(s.dateSeparator, QStringLiteral("."));
    EXPECT_TRUE(s.clock24);
    EXPECT_FALSE(s.hourLeadingZero);
}

}  // namespace
}  // namespace tabulist
