#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <random>

#include "app/WindowSet.h"
#include "forms/WindowTestSupport.h"
#include "hardening/RunList.h"
#include "platform/Errors.h"

namespace tabulist::test {
namespace {

QByteArray RandomBytes(std::mt19937& random, int size) {
    QByteArray bytes(size, 0);
    for (char& b : bytes) b = char(random() & 0xFF);
    return bytes;
}

QByteArray ReadFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Every length around the record's: short files fail with the short-read message,
// longer ones load their first 296 bytes; the loader never writes.
TEST(SettingsFiles, EveryLengthLoadsOrFailsWithTheShortReadMessage) {
    std::mt19937 random(7);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tabulist.sav"));
    for (int size = 0; size <= 300; ++size) {
        const QByteArray bytes = RandomBytes(random, size);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
        file.close();
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

TEST(SettingsFiles, ReadOnlyFileAndUnwritableDirectoryAreRefusedWithoutDamage) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tabulist.sav"));
    const QByteArray before(296, '\x01');
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(before);
    file.close();
    chmod(QFile::encodeName(path).constData(), 0444);
    chmod(QFile::encodeName(dir.path()).constData(), 0555);
    EXPECT_TRUE(AsUnprivileged([&] {
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
}

// The window starts whatever lies in the settings file: it shows the loader's message
// or takes the record as it is, with flag values, units and indexes out of range.
class SettingsAtStartUp : public ::testing::Test {
protected:
    QString SettingsPath() { return t.programDirectory() + QStringLiteral("Tabulist.sav"); }
    void Write(const QByteArray& bytes) {
        QFile file(SettingsPath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    // Starts, lists once more from the controls and closes without saving.
    void StartAndUse() {
        t.Start(nullptr);
        t.Show();
        t.window().BuildListing();
        OptionsChanged = false;
        t.window().close();
        Wait();
        DestroyWindowSet();
    }
    WindowTest t;
};

TEST_F(SettingsAtStartUp, RandomRecordsAndShortFiles) {
    std::mt19937 random(11);
    for (int round = 0; round < 24; ++round) {
        const int size = round < 4 ? round * 98 : 296 + int(random() % 5);
        const QByteArray bytes = RandomBytes(random, size);
        Write(bytes);
        ShownErrors().clear();
        StartAndUse();
        if (size < 296)
            EXPECT_EQ(ShownErrors(), QStringList{"Read beyond end of file."}) << size;
        else
            EXPECT_TRUE(ShownErrors().isEmpty()) << ShownErrors().join('|').toStdString();
        EXPECT_EQ(ReadFile(SettingsPath()), bytes);
    }
}

TEST_F(SettingsAtStartUp, DirectoryInPlaceOfTheFile) {
    ASSERT_TRUE(QDir().mkpath(SettingsPath()));
    StartAndUse();
    ASSERT_EQ(ShownErrors().size(), 1);
    EXPECT_TRUE(QFileInfo(SettingsPath()).isDir());
}

}  // namespace
}  // namespace tabulist::test
