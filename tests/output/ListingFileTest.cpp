#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <csignal>
#include <thread>

#include "output/ListingFile.h"
#include "output/OutputErrors.h"
#include "support/ErrorOf.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

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

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

// Every entry of the folder counts, so that a temporary file left behind shows.
class ListingFileWrite : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QStringList Entries() const {
        return QDir(dir.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    }
};

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

// Pipes, links and folders that take no new file: the target stays what it was.
TEST_F(ListingFileWrite, APipeIsWrittenIntoAndStaysAPipe) {
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QByteArray received;
    std::thread reader([&] { received = ReadFile(fifo); });
    WriteListingFile(fifo, "through the pipe\r\n");
    reader.join();
    EXPECT_EQ(received, "through the pipe\r\n");
    EXPECT_TRUE(S_ISFIFO(ModeOf(fifo)));
    EXPECT_EQ(Entries(), QStringList{"pipe"});
}

TEST_F(ListingFileWrite, ALinkStaysALinkAndItsTargetTakesTheTextWithItsMode) {
    const QString target = dir.filePath("target.TXT");
    QFile(target).open(QIODevice::WriteOnly);
    ASSERT_EQ(::chmod(QFile::encodeName(target).constData(), 0640), 0);
    ASSERT_EQ(::symlink("target.TXT", QFile::encodeName(dir.filePath("link")).constData()), 0);

    WriteListingFile(dir.filePath("link"), "via the link\r\n");
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.filePath("link"))));
    EXPECT_EQ(ReadFile(target), "via the link\r\n");
    EXPECT_EQ(ModeOf(target) & 07777, 0640u);

    // A dangling link creates the file it names.
    ASSERT_EQ(::symlink("new.TXT", QFile::encodeName(dir.filePath("dangling")).constData()), 0);
    WriteListingFile(dir.filePath("dangling"), "made\r\n");
    EXPECT_TRUE(S_ISLNK(ModeOf(dir.filePath("dangling"))));
    EXPECT_EQ(ReadFile(dir.filePath("new.TXT")), "made\r\n");
    EXPECT_EQ(Entries(), QStringList({"dangling", "link", "new.TXT", "target.TXT"}));
}

// Root writes into any folder, so the save runs as an ordinary user then.
TEST_F(ListingFileWrite, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
    const QString path = dir.filePath("list.TXT");
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(3000, 'o'));
    }
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0666), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.path()).constData(), 0555), 0);
    const int status = test::ExitStatusAsUnprivileged([&path] {
        try {
            WriteListingFile(path, "shorter\r\n");
        } catch (const EStreamError&) {
            return 1;
        }
        return 0;
    });
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadFile(path), "shorter\r\n");
    EXPECT_EQ(Entries(), QStringList{"list.TXT"});
}

TEST_F(ListingFileWrite, ANewFileTakesTheUmaskAndAnOldOneKeepsItsMode) {
    const mode_t old = ::umask(022);
    WriteListingFile(dir.filePath("new.TXT"), "x");
    ::umask(old);
    EXPECT_EQ(ModeOf(dir.filePath("new.TXT")) & 07777, 0644u);
    ASSERT_EQ(::chmod(QFile::encodeName(dir.filePath("new.TXT")).constData(), 0604), 0);
    WriteListingFile(dir.filePath("new.TXT"), "y");
    EXPECT_EQ(ModeOf(dir.filePath("new.TXT")) & 07777, 0604u);
    EXPECT_EQ(ReadFile(dir.filePath("new.TXT")), "y");
}

}  // namespace
}  // namespace tabulist
