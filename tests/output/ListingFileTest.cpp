#include <gtest/gtest.h>

#include "output/ListingFile.h"
#include "output/ListingFolder.h"
#include "output/OutputErrors.h"
#include "support/ErrorOf.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"

namespace tabulist {
namespace {

using test::ErrorOf;

using test::ReadFile;
using test::WriteFile;

TEST(ListingFileBytes, EveryLineEndBecomesCrLfAndNothingIsAdded) {
    EXPECT_EQ(ListingFileBytes("name\t12\nother\n"), "name\t12\r\nother\r\n");
    EXPECT_EQ(ListingFileBytes("typed\n\nno end"), "typed\r\n\r\nno end");
    EXPECT_EQ(ListingFileBytes("already\r\n"), "already\r\n");
    EXPECT_EQ(ListingFileBytes(""), "");
    EXPECT_EQ(ListingFileBytes(QString::fromUtf8("Größe\n")),
              "Gr\xC3\xB6\xC3\x9F"
              "e\r\n");
}

class ListingFileWrite : public test::ListingFolder {};

TEST_F(ListingFileWrite, ReplacesAnExistingFileWholly) {
    const QString path = dir.filePath("list");
    WriteFile(path, QByteArray(5000, 'o'));
    WriteListingFile(path, "short\r\n");
    EXPECT_EQ(ReadFile(path), "short\r\n");
    WriteListingFile(path, "");
    EXPECT_EQ(ReadFile(path), "");
    EXPECT_EQ(Entries(), QStringList{"list"});
}

TEST_F(ListingFileWrite, APlaceThatTakesNoFileIsACreateError) {
    const QString missing = dir.filePath("missing/list.TXT");
    EXPECT_EQ(ErrorOf<EStreamError>([&] { WriteListingFile(missing, "x"); }),
              "Cannot create file " + missing);
    WriteFile(dir.filePath("plain"), "kept");
    const QString underFile = dir.filePath("plain/list.TXT");
    EXPECT_EQ(ErrorOf<EStreamError>([&] { WriteListingFile(underFile, "x"); }),
              "Cannot create file " + underFile);
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    EXPECT_EQ(ErrorOf<EStreamError>([&] { WriteListingFile(dir.filePath("folder"), "x"); }),
              "Cannot create file " + dir.filePath("folder"));
    EXPECT_EQ(ReadFile(dir.filePath("plain")), "kept");
    EXPECT_EQ(Entries(), QStringList({"folder", "plain"}));
}

TEST_F(ListingFileWrite, AFailedWriteIsAStreamErrorAndKeepsTheOldFile) {
    SKIP_ON_WINDOWS("file-size limits are Linux's");
    const QString path = dir.filePath("list.TXT");
    WriteFile(path, "previous listing\r\n");
    QString error;
    {
        test::FileSizeLimit limit(4096);
        error = ErrorOf<EStreamError>([&] { WriteListingFile(path, QByteArray(100000, 'x')); });
    }

    EXPECT_EQ(error, "Stream write error");
    EXPECT_EQ(ReadFile(path), "previous listing\r\n");
    EXPECT_EQ(Entries(), QStringList{"list.TXT"});
}

}  // namespace
}  // namespace tabulist
