#include <gtest/gtest.h>
#ifndef _WIN32
#include <langinfo.h>
#endif

#include <clocale>
#include <ctime>
#include <string>

#include "listing/DateTimeText.h"
#include "listing/RegionalFormats.h"
#include "support/OnWindows.h"
#include "support/RenderingPrinters.h"

namespace tabulist {
namespace {

const DateTime Afternoon = EncodeDate(2001, 5, 1) + EncodeTime(13, 4, 6);

RegionalSettings FromFormats(const char* date, const char* time, const char* ampm = "",
                             const char* am = "", const char* pm = "") {
    LocaleTimeItems items;
    items.dateFormat = QString::fromUtf8(date);
    items.timeFormat = QString::fromUtf8(time);
    items.timeFormatAmPm = QString::fromUtf8(ampm);
    items.am = QString::fromUtf8(am);
    items.pm = QString::fromUtf8(pm);
    return RegionalSettingsFromItems(items);
}

TEST(RegionalFormats, DateFormatsBecomePatternAndSeparator) {
    RegionalSettings s = FromFormats("%d.%m.%Y", "%T");
    EXPECT_EQ(s.shortDatePattern, QStringLiteral("dd.mm.yyyy"));
    EXPECT_EQ(s.dateSeparator, QStringLiteral("."));
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("01.05.2001 13:04:06"));

    s = FromFormats("%F", "%H:%M:%S");
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("2001-05-01 13:04:06"));
    EXPECT_EQ(s.dateSeparator, QStringLiteral("-"));

    s = FromFormats("%D", "");
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("05/01/01 1:04:06 pm"));

    // Literal letters are not read as fields; the separator is the first one between fields.
    s = FromFormats("%e de %B de %Y", "%k:%M");
    EXPECT_EQ(s.dateSeparator, QStringLiteral(" "));
    EXPECT_EQ(DateTimeText(EncodeDate(2001, 5, 1), s), QStringLiteral("1 de May de 2001"));

    s = FromFormats("%Y年%m月%d日", "%H時%M分%S秒");
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("2001年05月01日 13時04時06"));

    // A literal slash stays a slash even where the separator is another character.
    s = FromFormats("%d.%m/%y", "%T");
    EXPECT_EQ(DateTimeText(EncodeDate(2001, 5, 1), s), QStringLiteral("01.05/01"));
}

TEST(RegionalFormats, TimeFormatsDecideClockZeroAndMark) {
    RegionalSettings s = FromFormats("%m/%d/%Y", "%r", "%I:%M:%S %p", "AM", "PM");
    EXPECT_FALSE(s.clock24);
    EXPECT_TRUE(s.hourLeadingZero);
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("05/01/2001 01:04:06 PM"));

    s = FromFormats("%Y-%m-%d", "%p %l.%M.%S", "", "오전", "오후");
    EXPECT_TRUE(s.markBeforeTime);
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("2001-05-01 오후 1.04.06"));

    s = FromFormats("%d/%m/%Y", "%-H:%M:%S");
    EXPECT_TRUE(s.clock24);
    EXPECT_EQ(DateTimeText(EncodeDate(2001, 5, 1) + EncodeTime(9, 0, 1), s),
              QStringLiteral("01/05/2001 9:00:01"));

    // A 12-hour clock that the locale writes without a mark shows none.
    s = FromFormats("%d/%m/%Y", "%I:%M:%S", "", "AM", "PM");
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("01/05/2001 01:04:06"));
}

TEST(RegionalFormats, EmptyItemsKeepTheFallbacks) {
    const RegionalSettings s = FromFormats("", "");
    const RegionalSettings fallback;
    EXPECT_EQ(s.shortDatePattern, fallback.shortDatePattern);
    EXPECT_EQ(s.dateSeparator, fallback.dateSeparator);
    EXPECT_EQ(s.timeSeparator, fallback.timeSeparator);
    EXPECT_EQ(DateTimeText(Afternoon, s), QStringLiteral("5/1/01 1:04:06 pm"));
}

// Switches LC_TIME for one test and puts the previous locale back.
class LcTime {
public:
    explicit LcTime(const char* name) : previous_(std::setlocale(LC_TIME, nullptr)) {
        ok_ = std::setlocale(LC_TIME, name) != nullptr;
    }
    ~LcTime() { std::setlocale(LC_TIME, previous_.c_str()); }
    bool ok() const { return ok_; }

private:
    std::string previous_;
    bool ok_ = false;
};

QString Strftime(const char* format, const std::tm& tm) {
    char buffer[200];
    const size_t n = std::strftime(buffer, sizeof buffer, format, &tm);
    return QString::fromUtf8(buffer, static_cast<qsizetype>(n));
}

// What the locale's own %x %X, %b, %B, %a and %A print is what the settings must render.
void ExpectRenderingMatchesLocale(const char* locale) {
    SKIP_ON_WINDOWS("Windows reads its regional settings from the user's locale, not LC_TIME");
    LcTime lc(locale);
    if (!lc.ok()) GTEST_SKIP() << "locale " << locale << " is not installed";
    const RegionalSettings s = RegionalSettings::fromLocale();
    for (int month = 1; month <= 12; ++month) {
        std::tm tm{};
        tm.tm_year = 2001 - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = month + 10;
        tm.tm_hour = 13;
        tm.tm_min = 4;
        tm.tm_sec = 6;
        const DateTime t = EncodeDate(2001, month, month + 10) + EncodeTime(13, 4, 6);
        tm.tm_wday = DayOfWeek(t) - 1;
        EXPECT_EQ(DateTimeText(t, s), Strftime("%x %X", tm)) << locale;
        RegionalSettings names = s;
        names.shortDatePattern = QStringLiteral("mmm mmmm ddd dddd");
        EXPECT_EQ(DateTimeText(t - EncodeTime(13, 4, 6), names), Strftime("%b %B %a %A", tm));
    }
}

TEST(RegionalSettingsFromLocale, CLocale) { ExpectRenderingMatchesLocale("C"); }

TEST(RegionalSettingsFromLocale, CUtf8Locale) { ExpectRenderingMatchesLocale("C.UTF-8"); }

}  // namespace
}  // namespace tabulist
