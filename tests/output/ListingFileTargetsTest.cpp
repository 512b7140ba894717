// Saving a listing into what only Linux has in a folder: FIFOs, symbolic links made by any
// user, modes and the umask, folders closed to an ordinary user.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <thread>

#include "output/ListingFile.h"
#include "output/ListingFolder.h"
#include "output/OutputErrors.h"
#include "support/Fixture.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::ReadFile;

mode_t ModeOf(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode : 0;
}

class ListingFileTargets : public test::ListingFolder {};

// Pipes, links and folders that take no new file: the target stays what it was.
TEST_F(ListingFileTargets, APipeIsWrittenIntoAndStaysAPipe) {
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

TEST_F(ListingFileTargets, ALinkStaysALinkAndItsTargetTakesTheTextWithItsMode) {
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
TEST_F(ListingFileTargets, AWritableFileInAFolderThatTakesNoNewFileIsWrittenInPlace) {
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

TEST_F(ListingFileTargets, ANewFileTakesTheUmaskAndAnOldOneKeepsItsMode) {
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
