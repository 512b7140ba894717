#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QDateTime>

#include "support/Fixture.h"

namespace tabulist::test {
namespace {

TEST(Fixture, BuildsWhatItIsAskedAndRemovesItAll) {
    QByteArray root;
    {
        Fixture fx;
        root = fx.root();
        fx.dir("sub");
        fx.file("sub/big", int64_t(3) << 30);
        fx.file("text", QByteArray("abc"));
        fx.setLocalTime("text", 2000, 1, 1, 12, 30, 4);
        fx.dir("locked");
        fx.file("locked/inner");
        fx.setMode("locked", 0);

        struct stat st;
        ASSERT_EQ(stat(fx.path("sub/big").constData(), &st), 0);
        EXPECT_EQ(st.st_size, int64_t(3221225472));
        EXPECT_LT(st.st_blocks, 1024);  // sparse
        ASSERT_EQ(stat(fx.path("text").constData(), &st), 0);
        EXPECT_EQ(st.st_size, 3);
        EXPECT_EQ(QDateTime::fromSecsSinceEpoch(st.st_mtime),
                  QDateTime(QDate(2000, 1, 1), QTime(12, 30, 4)));
        EXPECT_THROW(fx.dir("sub"), std::runtime_error);
    }
    struct stat st;
    EXPECT_NE(lstat(root.constData(), &st), 0);
}

}  // namespace
}  // namespace tabulist::test
