#include <gtest/gtest.h>

#include "listing/ColumnLayout.h"
#include "listing/DetailLine.h"
#include "platform/Errors.h"
#include "support/LinesSink.h"

namespace tabulist {
namespace {

using test::Packed;
using test::Spaces;

TSearchRec Entry(const QString& name, int32_t attr = 0x20, int64_t size = 0,
                 int32_t time = Packed(2001, 5, 1, 13, 4, 6)) {
    TSearchRec rec;
    rec.Name = name;
    rec.Attr = attr;
    rec.Size = size;
    rec.Time = time;
    return rec;
}

ListingOptions NameOnly() {
    ListingOptions options;
    options.showAttributes = options.showSize = options.showDate = false;
    return options;
}

TEST(DetailLine, NameFillByLength) {
    struct {
        QString name;
        int32_t attr;
        QString expected;
    } const cases[] = {
        {"", 0x20, Spaces(31)},
        {"abcde", 0x20, "abcde" + Spaces(26)},
        {QString(14, 'n'), 0x20, QString(14, 'n') + Spaces(17)},
        {QString(15, 'n'), 0x20, QString(15, 'n') + Spaces(11)},
        {QString(19, 'n'), 0x20, QString(19, 'n') + Spaces(7)},
        {QString(20, 'n'), 0x20, QString(20, 'n')},
        {QString(16, 'd'), 0x10, "[" + QString(16, 'd') + "]" + Spaces(8)},
        {"..", 0x10, "[..]" + Spaces(27)},
        {"h", 0x12, "[h]" + Spaces(28)},
        {QString(13, 'd'), 0x10, "[" + QString(13, 'd') + "]" + Spaces(11)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        EXPECT_EQ(DetailLineText(Entry(c.name, c.attr), NameOnly()), c.expected);
    }
}

TEST(DetailLine, WidthsCountCharactersNotCodeUnits) {
    // Four characters outside the basic plane: eight UTF-16 units, still four characters.
    const QString name = QString::fromUtf8(
        "\xF0\x9F\x98\x80\xF0\x9F\x98\x80\xF0\x9F\x98\x80"
        "\xF0\x9F\x98\x80");
    EXPECT_EQ(DetailLineText(Entry(name), NameOnly()), name + Spaces(27));
    EXPECT_EQ(ColumnCell(Entry(name)), name + Spaces(32));
}

TEST(DetailLine, AllFieldsInOrderWithTabs) {
    ListingOptions options;
    options.regional = test::IsoRegional();
    EXPECT_EQ(DetailLineText(Entry("x", 0x20, 1234), options),
              "x" + Spaces(30) + "\tA \t" + Spaces(5) + "1234\t2001-05-01 13:04:06");

    options.showAttributes = false;
    EXPECT_EQ(DetailLineText(Entry("x", 0x20, 1234), options),
              "x" + Spaces(30) + "\t" + Spaces(5) + "1234\t2001-05-01 13:04:06");
    options.showSize = false;
    options.showAttributes = true;
    EXPECT_EQ(DetailLineText(Entry("x", 0x20, 1234, Packed(2001, 5, 1)), options),
              "x" + Spaces(30) + "\tA \t2001-05-01");  // midnight: the date alone
}

TEST(DetailLine, AttributeLettersEachWithItsSpace) {
    EXPECT_EQ(AttributeLetters(0x27), "A R H S ");
    EXPECT_EQ(AttributeLetters(0x21), "A R ");
    EXPECT_EQ(AttributeLetters(0x06), "H S ");
    // Directories get no "D", and values beyond the sets no letters at all.
    EXPECT_EQ(AttributeLetters(0x10), "");
    EXPECT_EQ(AttributeLetters(0x31), "A R ");
    EXPECT_EQ(AttributeLetters(0x821), "");

    ListingOptions options = NameOnly();
    options.showAttributes = true;
    EXPECT_EQ(DetailLineText(Entry("d", 0x10), options), "[d]" + Spaces(28) + "\t");
}

TEST(DetailLine, SizeInEachUnit) {
    EXPECT_EQ(DetailSizeText(1234, 0, false), Spaces(5) + "1234");
    EXPECT_EQ(DetailSizeText(1234, 0, true), Spaces(5) + "1234 Bytes");
    EXPECT_EQ(DetailSizeText(1536, 1, true), Spaces(4) + "1,500 KBytes");
    EXPECT_EQ(DetailSizeText(0, 1, true), Spaces(4) + "0,000 KBytes");
    EXPECT_EQ(DetailSizeText(64, 1, false), Spaces(4) + "0,063");
    EXPECT_EQ(DetailSizeText(3 * 1048576 / 2, 2, true), Spaces(4) + "1,500 MBytes");
    EXPECT_EQ(DetailSizeText(int64_t{5} << 29, 3, true), Spaces(4) + "2,500 GBytes");
    // Sizes are 64-bit: 3 GiB is not a negative number.
    EXPECT_EQ(DetailSizeText(int64_t{3} << 30, 0, false), "3221225472");
    EXPECT_EQ(DetailSizeText(int64_t{3} << 30, 3, false), Spaces(4) + "3,000");
    // No unit chosen: the field stays empty, suffix or not.
    EXPECT_EQ(DetailSizeText(1234, -1, true), "");
    EXPECT_EQ(DetailSizeText(1234, 4, true), "");

    ListingOptions options = NameOnly();
    options.showSize = true;
    options.sizeUnitIndex = -1;
    EXPECT_EQ(DetailLineText(Entry("f", 0x20, 9), options), "f" + Spaces(30) + "\t");
}

TEST(DetailLine, InvalidStampRaisesTheDateError) {
    ListingOptions options;
    TSearchRec rec = Entry("f", 0x20, 1, 0);  // month 0
    EXPECT_THROW(DetailLineText(rec, options), EConvertError);
    options.showDate = false;
    EXPECT_NO_THROW(DetailLineText(rec, options));
}

TEST(ColumnLayout, CellFillAndRows) {
    EXPECT_EQ(ColumnCell(Entry(QString(9, 'n'))), QString(9, 'n') + Spaces(27));
    EXPECT_EQ(ColumnCell(Entry(QString(10, 'n'))), QString(10, 'n') + Spaces(16));
    EXPECT_EQ(ColumnCell(Entry(QString(8, 'd'), 0x10)), "[" + QString(8, 'd') + "]" + Spaces(16));
    EXPECT_EQ(ColumnCell(Entry(QString(20, 'n'))), QString(20, 'n'));

    ColumnLayout layout(2);
    EXPECT_FALSE(layout.add(Entry("a")));
    EXPECT_TRUE(layout.add(Entry("bb")));
    EXPECT_EQ(layout.takeLine(), "a" + Spaces(35) + "\tbb" + Spaces(34));
    EXPECT_EQ(layout.pending(), "");
    EXPECT_FALSE(layout.add(Entry("c")));
    EXPECT_EQ(layout.pending(), "c" + Spaces(35));
}

}  // namespace
}  // namespace tabulist
