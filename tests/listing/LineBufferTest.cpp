#include <gtest/gtest.h>

#include "listing/LineBuffer.h"

namespace tabulist {
namespace {

// A sink that keeps a line (the window's batches do) must keep it as it was, while the
// buffer goes on to the next lines.
TEST(LineBuffer, ALineKeptByItsReaderIsNotOverwrittenByTheNext) {
    LineBuffer buffer;
    buffer.clear();
    buffer += QStringLiteral("first line");
    const QString kept = buffer.text();
    buffer.clear();
    buffer += QLatin1String("second");
    EXPECT_EQ(buffer.text(), QStringLiteral("second"));
    EXPECT_EQ(kept, QStringLiteral("first line"));

    // Writing on after text() without clear() starts from a copy, too.
    const QString second = buffer.text();
    buffer += QLatin1Char('!');
    EXPECT_EQ(buffer.text(), QStringLiteral("second!"));
    EXPECT_EQ(second, QStringLiteral("second"));
}

TEST(LineBuffer, GrowsPastItsFirstStorageAndHandsItOver) {
    LineBuffer buffer;
    const QString name(300, QLatin1Char('n'));
    for (int line = 0; line < 3; ++line) {
        buffer.clear();
        buffer += name;
        buffer.fill(QLatin1Char(' '), 5);
        buffer += QLatin1String("\tA ");
        EXPECT_EQ(buffer.text(), name + QString(5, QLatin1Char(' ')) + "\tA ");
    }
    buffer.fill(QLatin1Char('x'), 0);
    buffer.fill(QLatin1Char('x'), -2);
    buffer += QString();  // an empty separator or name: no storage to copy from
    buffer += QStringView();
    const QString taken = buffer.take();
    EXPECT_EQ(taken.size(), 308);
    buffer += QLatin1Char('z');  // without clear(): a fresh line after take()
    EXPECT_EQ(buffer.text(), QStringLiteral("z"));
    EXPECT_EQ(taken.size(), 308);
}

}  // namespace
}  // namespace tabulist
