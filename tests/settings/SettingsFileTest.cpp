#include <fcntl.h>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#endif
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <cstring>
#include <random>

#include "platform/Errors.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFile.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::RandomBytes;
using test::ReadFile;
using test::WriteFile;

QByteArray Pattern(int size) {
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251 + 1);
    return bytes;
}

QByteArray Bytes(const TSavedOptions& record) {
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

TSavedOptions Filled(unsigned char value) {
    TSavedOptions record;
    std::memset(&record, value, sizeof record);
    return record;
}

// The message and code of the input/output error a call raises.
template <typename Call>
std::pair<int, std::string> IoErrorOf(Call call) {
    try {
        call();
    } catch (const EInOutError& e) {
        return {e.code(), e.what()};
    }
    return {0, "no error"};
}

#ifndef _WIN32
// Makes a file or directory unwritable even for root (immutable flag) and undoes it.
class Unwritable {
public:
    explicit Unwritable(const QString& path) : path_(QFile::encodeName(path)) {
        if (::geteuid() != 0) {
            ok_ = ::chmod(path_.constData(), 0555) == 0;
            return;
        }
        ok_ = SetImmutable(true);
        immutable_ = ok_;
    }
    ~Unwritable() {
        if (immutable_) SetImmutable(false);
        ::chmod(path_.constData(), 0755);
    }
    bool ok() const { return ok_; }

private:
    bool SetImmutable(bool on) {
        const int fd = ::open(path_.constData(), O_RDONLY | O_CLOEXEC);
        if (fd < 0) return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        if (done) {
            flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
            done = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        }
        ::close(fd);
        return done;
    }
    QByteArray path_;
    bool ok_ = false;
    bool immutable_ = false;
};
#endif

class SettingsFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path() const { return dir.filePath(QStringLiteral("Tabulist.sav")); }
    QStringList entries() const {
        return QDir(dir.path())
            .entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden);
    }
};

TEST_F(SettingsFile, StoreAndLoadKeepEveryByte) {
    TSavedOptions stored = Filled(0);
    stored.HeaderDrivePercent = 2;  // any non-zero byte is on, and comes back as it was
    stored.ColumnIndex = 255;       // no selection
    stored.setFontName(QStringLiteral("DejaVu Sans Mono"));
    stored.Gap1[1] = 0x5A;
    stored.FontColor = static_cast<int32_t>(0x80000008);
    stored.FontHeight = -11;
    stored.FontSize = 8;
    stored.FontStyle = 0x05;
    stored.BackgroundColor = static_cast<int32_t>(0x80000005);
    StoreOptionsRecord(path(), stored);

    const QByteArray file = ReadFile(path());
    ASSERT_EQ(file.size(), 296);
    EXPECT_EQ(file, Bytes(stored));
    EXPECT_EQ(file.mid(292, 4), QByteArray("\x05\x00\x00\x80", 4));  // little-endian

    TSavedOptions loaded = Filled(0xEE);
    LoadOptionsRecord(path(), loaded);
    EXPECT_EQ(Bytes(loaded), Bytes(stored));
    EXPECT_EQ(loaded.fontName(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Tabulist.sav")});
}

TEST_F(SettingsFile, FileLengthsAroundTheRecord) {
    const QByteArray image = Pattern(300);
    for (int size : {0, 1, 295, 296, 300}) {
        SCOPED_TRACE(size);
        WriteFile(path(), image.left(size));
        TSavedOptions record = Filled(0xEE);
        const auto [code, message] = IoErrorOf([&] { LoadOptionsRecord(path(), record); });
        const QByteArray expected =
            image.left(std::min(size, 296)) + QByteArray(std::max(0, 296 - size), '\xEE');
        EXPECT_EQ(Bytes(record), expected);
        if (size < 296) {
            EXPECT_EQ(code, 100);
            EXPECT_EQ(message, "Read beyond end of file");
        } else {
            EXPECT_EQ(code, 0) << message;
        }
    }
    // A longer file is exactly one record after the next store.
    StoreOptionsRecord(path(), Filled(1));
    EXPECT_EQ(ReadFile(path()), Bytes(Filled(1)));
}

TEST_F(SettingsFile, LoadFailuresNameTheirCause) {
    TSavedOptions record = Filled(0);
    auto [code, message] = IoErrorOf([&] { LoadOptionsRecord(path(), record); });
    EXPECT_EQ(code, 2);
    EXPECT_EQ(message, "File not found");
    EXPECT_FALSE(QFile::exists(path())) << "a load must not create the file";

    WriteFile(dir.filePath(QStringLiteral("plain")), "x");
    std::tie(code, message) = IoErrorOf(
        [&] { LoadOptionsRecord(dir.filePath(QStringLiteral("plain/Tabulist.sav")), record); });
    EXPECT_EQ(code, 3);
    EXPECT_EQ(message, "Invalid filename");
    EXPECT_EQ(Bytes(record), Bytes(Filled(0)));
}

TEST_F(SettingsFile, ReadOnlyFileIsNotLoaded) {
#ifdef _WIN32
    GTEST_SKIP() << "immutable files, fork and file-size limits are Linux's";
#else
    WriteFile(path(), Pattern(296));
    Unwritable readOnly(path());
    if (!readOnly.ok())
        GTEST_SKIP() << "cannot make a file unwritable here (root without "
                        "an immutable flag on this file system)";
    TSavedOptions record = Filled(0);
    const auto [code, message] = IoErrorOf([&] { LoadOptionsRecord(path(), record); });
    EXPECT_EQ(code, 5);
    EXPECT_EQ(message, "File access denied");
#endif
}

#ifndef _WIN32
// Stores in a child process whose file-size limit is limit bytes; returns the error message.
std::string StoreUnderSizeLimit(const QString& path, const TSavedOptions& record, rlim_t limit) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "pipe failed";
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{};
        ::getrlimit(RLIMIT_FSIZE, &rl);
        rl.rlim_cur = limit;
        ::setrlimit(RLIMIT_FSIZE, &rl);
        std::string message = "no error";
        try {
            StoreOptionsRecord(path, record);
        } catch (const TabulistError& e) {
            message = e.what();
        }
        [[maybe_unused]] const ssize_t n = ::write(pipeEnds[1], message.data(), message.size());
        ::_exit(0);
    }
    ::close(pipeEnds[1]);
    std::string message;
    char buffer[256];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, n);
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return message;
}
#endif

TEST_F(SettingsFile, FailedStoreKeepsThePreviousFileAndLeavesNoTemporary) {
#ifdef _WIN32
    GTEST_SKIP() << "fork and file-size limits are Linux's";
#else
    const QByteArray previous = Bytes(Filled(7));
    WriteFile(path(), previous);
    for (rlim_t limit : {rlim_t{0}, rlim_t{100}}) {
        SCOPED_TRACE(limit);
        EXPECT_EQ(StoreUnderSizeLimit(path(), Filled(9), limit), "Disk full");
        EXPECT_EQ(ReadFile(path()), previous);
        EXPECT_EQ(entries(), QStringList{QStringLiteral("Tabulist.sav")});
    }
    EXPECT_EQ(StoreUnderSizeLimit(path(), Filled(9), 296), "no error");
    EXPECT_EQ(ReadFile(path()), Bytes(Filled(9)));
#endif
}

TEST_F(SettingsFile, ReadOnlyFileIsNotStored) {
#ifdef _WIN32
    GTEST_SKIP() << "immutable files are Linux's";
#else
    WriteFile(path(), Bytes(Filled(7)));
    Unwritable readOnly(path());
    if (!readOnly.ok()) GTEST_SKIP() << "cannot make a file unwritable here";
    const auto [code, message] = IoErrorOf([&] { StoreOptionsRecord(path(), Filled(9)); });
    EXPECT_EQ(message, "File access denied");
    EXPECT_EQ(ReadFile(path()), Bytes(Filled(7)));
#endif
}

TEST_F(SettingsFile, UnwritableDirectoryTakesOnlyAnExistingFile) {
#ifdef _WIN32
    GTEST_SKIP() << "immutable folders are Linux's";
#else
    Unwritable closed(dir.path());
    if (!closed.ok()) GTEST_SKIP() << "cannot make a directory unwritable here";
    const auto [code, message] = IoErrorOf([&] { StoreOptionsRecord(path(), Filled(9)); });
    EXPECT_EQ(message, "File access denied");
    EXPECT_TRUE(entries().isEmpty());
#endif
}

TEST_F(SettingsFile, UnwritableDirectoryWithAWritableFileIsStoredInPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "immutable folders are Linux's";
#else
    WriteFile(path(), Pattern(300));
    Unwritable closed(dir.path());
    if (!closed.ok()) GTEST_SKIP() << "cannot make a directory unwritable here";
    StoreOptionsRecord(path(), Filled(9));
    EXPECT_EQ(ReadFile(path()), Bytes(Filled(9)));
    EXPECT_EQ(entries(), QStringList{QStringLiteral("Tabulist.sav")});
#endif
}

TEST_F(SettingsFile, StoreThroughALinkReplacesTheLinkedFile) {
    SKIP_ON_WINDOWS("symbolic links as Linux has them");
    const QString real = dir.filePath(QStringLiteral("real.sav"));
    WriteFile(real, Bytes(Filled(7)));
    ASSERT_TRUE(QFile::link(real, path()));
    StoreOptionsRecord(path(), Filled(9));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_EQ(ReadFile(real), Bytes(Filled(9)));
}

// Every length around the record's: short files fail with the short-read message,
// longer ones load their first 296 bytes; the loader never writes.
TEST_F(SettingsFile, EveryLengthLoadsOrFailsWithTheShortReadMessage) {
    std::mt19937 random(7);
    const QString path = this->path();
    for (int size = 0; size <= 300; ++size) {
        const QByteArray bytes = RandomBytes(random, size);
        WriteFile(path, bytes);
        TSavedOptions record{};
        QString message;
        try {
            LoadOptionsRecord(path, record);
        } catch (const EInOutError& e) {
            message = e.message();
        }
        EXPECT_EQ(message, size < 296 ? QStringLiteral("Read beyond end of file") : QString())
            << size;
        EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(&record), qMin(size, 296)),
                  bytes.left(296));
        EXPECT_EQ(ReadFile(path), bytes) << size;
    }
}

TEST_F(SettingsFile, ReadOnlyFileAndUnwritableDirectoryAreRefusedWithoutDamage) {
#ifdef _WIN32
    GTEST_SKIP() << "needs an ordinary Linux user and permission bits";
#else
    const QString path = this->path();
    const QByteArray before(296, '\x01');
    WriteFile(path, before);
    chmod(QFile::encodeName(path).constData(), 0444);
    chmod(QFile::encodeName(dir.path()).constData(), 0555);
    EXPECT_TRUE(test::AsUnprivileged([&] {
        TSavedOptions record{};
        try {
            LoadOptionsRecord(path, record);
            return false;
        } catch (const EInOutError& e) {
            if (e.message() != QStringLiteral("File access denied")) return false;
        }
        try {
            StoreOptionsRecord(path, TSavedOptions{});
            return false;
        } catch (const EInOutError& e) {
            return e.message() == QStringLiteral("File access denied");
        }
    }));
    EXPECT_EQ(ReadFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    chmod(QFile::encodeName(dir.path()).constData(), 0755);
#endif
}

}  // namespace
}  // namespace tabulist
