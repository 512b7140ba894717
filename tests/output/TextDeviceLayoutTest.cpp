#include <gtest/gtest.h>

#include "output/PrinterTextDevice.h"
#include "support/RecordingDocument.h"

namespace tabulist {
namespace {

using test::RecordingDocument;
using Placed = RecordingDocument::Placed;

class TextDeviceLayout : public ::testing::Test {
protected:
    RecordingDocument doc;
    PrinterTextDevice device{doc};
    void SetUp() override { device.Open(); }
};

TEST_F(TextDeviceLayout, TabStopsLieBeyondPosXPlusOne) {
    device.WriteLine(u"a\tb");
    doc.charWidths[U'W'] = 79;
    device.WriteLine(u"W\tb");
    doc.charWidths[U'V'] = 78;
    device.WriteLine(u"V\tb");
    const QList<Placed> expected = {{1, 0, 0, "a"},    {1, 80, 0, "b"}, {1, 0, 14, "W"},
                                    {1, 160, 14, "b"}, {1, 0, 28, "V"}, {1, 80, 28, "b"}};
    EXPECT_EQ(doc.placed, expected);
}

TEST_F(TextDeviceLayout, TabPastThePageWidthStartsANewLine) {
    device.Write(u"abcdefghijklmnop\tq");  // 160 wide; the next stop, 240, is off the page
    device.Flush();
    ASSERT_EQ(doc.placed.size(), 2);
    EXPECT_EQ(doc.placed[1], (Placed{1, 0, 14, "q"}));
}

TEST_F(TextDeviceLayout, LongLinesBreakAtTheLastCharacterThatFits) {
    device.WriteLine(QString(25, QChar('x')));
    const QList<Placed> expected = {{1, 0, 0, QString(20, QChar('x'))},
                                    {1, 0, 14, QString(5, QChar('x'))}};
    EXPECT_EQ(doc.placed, expected);
    EXPECT_EQ(device.PosY(), 28);
}

TEST_F(TextDeviceLayout, ACharacterOfTwoUnitsMovesWholeToTheNextLine) {
    const QString wide = QString::fromUcs4(U"\U0001F5A8");
    doc.charWidths[U'\U0001F5A8'] = 20;
    device.WriteLine(QString(19, QChar('x')) + wide + "y");
    ASSERT_EQ(doc.placed.size(), 2);
    EXPECT_EQ(doc.placed[0].text, QString(19, QChar('x')));
    EXPECT_EQ(doc.placed[1], (Placed{1, 0, 14, wide + "y"}));
}

TEST(TextDeviceBuffer, AFullBufferNeverEndsInHalfACharacter) {
    const QString wide = QString::fromUcs4(U"\U0001F5A8");
    RecordingDocument doc;
    doc.width = 100000;
    PrinterTextDevice device(doc);
    device.Open();
    device.WriteLine(QString(127, QChar('x')) + wide + "tail");
    for (const Placed& p : doc.placed) {
        EXPECT_FALSE(p.text.front().isLowSurrogate()) << p.x;
        EXPECT_FALSE(p.text.back().isHighSurrogate()) << p.x;
    }
    // The pieces follow one another on the line.
    ASSERT_EQ(doc.placed.size(), 2);
    EXPECT_EQ(doc.placed[1].x, 1270);
    EXPECT_EQ(doc.placed[0].text + doc.placed[1].text, QString(127, QChar('x')) + wide + "tail");
}

TEST_F(TextDeviceLayout, LineEndsAndEmptyLinesAdvanceAsTheyShould) {
    device.WriteLine(u"ab");  // CR places, LF advances by text height + 2
    EXPECT_EQ(device.PosY(), 14);
    device.WriteLine(u"");  // nothing on the line: the cell height
    EXPECT_EQ(device.PosY(), 29);
    device.Write(u"ab\rcd\n");  // CR alone keeps the position on the line
    device.Flush();
    EXPECT_EQ(doc.placed.last(), (Placed{1, 20, 29, "cd"}));
    EXPECT_EQ(device.PosY(), 43);
    EXPECT_EQ(device.PosX(), 0);
}

TEST_F(TextDeviceLayout, FormFeedPutsWhatFollowsAtTheTopOfANewPage) {
    device.WriteLine(u"one");
    device.WriteLine(u"tw\fo");
    EXPECT_EQ(doc.placed.last(), (Placed{2, 0, 0, "o"}));
    EXPECT_EQ(doc.pages, 2);
}

TEST_F(TextDeviceLayout, PageEndsWhenTwoLinesNoLongerFit) {
    // Lines of 14 on a page of 100: the break comes once PosY > 100 - 28.
    for (int i = 0; i < 6; ++i) device.WriteLine(QString::number(i));
    EXPECT_EQ(doc.pages, 2);  // the sixth line (PosY 84 > 72) ended the page
    EXPECT_EQ(doc.placed[5], (Placed{1, 0, 70, "5"}));
    device.WriteLine(u"6");
    EXPECT_EQ(doc.placed[6], (Placed{2, 0, 0, "6"}));
    device.Close();
    EXPECT_TRUE(doc.finished);
}

TEST_F(TextDeviceLayout, EmptyLinesEndThePageOnlyPastItsBottom) {
    for (int i = 0; i < 6; ++i) device.WriteLine(u"");  // 6 x 15 = 90
    EXPECT_EQ(doc.pages, 1);
    device.WriteLine(u"");  // 105 > 100
    EXPECT_EQ(doc.pages, 2);
    EXPECT_EQ(device.PosY(), 0);
}

TEST_F(TextDeviceLayout, EmptyDocumentIsOnePage) {
    device.Close();
    EXPECT_EQ(doc.pages, 1);
    EXPECT_TRUE(doc.placed.isEmpty());
    EXPECT_TRUE(doc.finished);
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(TextDeviceLayout, ACharacterWiderThanThePageStillMakesProgress) {
    doc.charWidths[U'M'] = 500;
    device.WriteLine(u"aMMb");
    const QList<Placed> expected = {
        {1, 0, 0, "a"}, {1, 0, 14, "M"}, {1, 0, 28, "M"}, {1, 0, 42, "b"}};
    EXPECT_EQ(doc.placed, expected);
}

TEST_F(TextDeviceLayout, ALetterKeepsItsAccentAtALineBreakAndAtAFullBuffer) {
    const QString accented = QString::fromUtf8("e\u0301");
    doc.charWidths[U'\u0301'] = 5;
    device.WriteLine(QString(19, QChar('x')) + accented + "z");
    ASSERT_EQ(doc.placed.size(), 2);
    EXPECT_EQ(doc.placed[0].text, QString(19, QChar('x')));
    EXPECT_EQ(doc.placed[1], (Placed{1, 0, 14, accented + "z"}));

    RecordingDocument wide;
    wide.width = 100000;
    PrinterTextDevice unbroken(wide);
    unbroken.Open();
    unbroken.WriteLine(QString(127, QChar('x')) + accented + "tail");
    ASSERT_EQ(wide.placed.size(), 2);
    EXPECT_EQ(wide.placed[1].text, accented + "tail");
}

TEST_F(TextDeviceLayout, AbandonDropsWhatIsBuffered) {
    device.Write(u"never laid out");
    device.Abandon();
    EXPECT_TRUE(doc.placed.isEmpty());
    EXPECT_TRUE(doc.abandoned);
    EXPECT_FALSE(doc.finished);
}

}  // namespace
}  // namespace tabulist
