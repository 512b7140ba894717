#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/Errors.h"
#include "settings/AddedOptions.h"

namespace tabulist {
namespace {

void WriteText(const QString& path, const QByteArray& text) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

TEST(AddedOptions, LiveBesideTheSettingsFileAndSurviveAStore) {
    QTemporaryDir dir;
    const QString path = AddedOptionsPath(dir.filePath(QStringLiteral("Tabulist.sav")));
    EXPECT_EQ(path, dir.filePath(QStringLiteral("Tabulist.ini")));

    TAddedOptions changed;
    changed.Subfolders = true;
    changed.FolderTotals = true;
    changed.Depth = 2;
    changed.OneFileSystem = true;
    changed.Sort = SortKey::Date;
    changed.SortDescending = true;
    StoreAddedOptions(path, changed);
    const TAddedOptions read = LoadAddedOptions(path);
    EXPECT_TRUE(read.Subfolders);
    EXPECT_TRUE(read.FolderTotals);
    EXPECT_EQ(read.Depth, 2);
    EXPECT_TRUE(read.OneFileSystem);
    EXPECT_EQ(read.Sort, SortKey::Date);
    EXPECT_TRUE(read.SortDescending);
}

TEST(AddedOptions, MissingOrDamagedValuesGiveTheirDefaultsOnly) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tabulist.ini"));
    const TAddedOptions defaults;
    const TAddedOptions missing = LoadAddedOptions(path);
    EXPECT_EQ(missing.Subfolders, defaults.Subfolders);
    EXPECT_EQ(missing.Depth, defaults.Depth);
    EXPECT_EQ(missing.Sort, defaults.Sort);

    // One readable value among damaged ones keeps its value; the others fall back.
    WriteText(path,
              "[Listing]\nSubfolders=yes please\nDepth=-7\nSort=9\nFolderTotals=true\n"
              "\x01\xff garbage line\n");
    const TAddedOptions damaged = LoadAddedOptions(path);
    EXPECT_FALSE(damaged.Subfolders);
    EXPECT_EQ(damaged.Depth, -1);
    EXPECT_EQ(damaged.Sort, SortKey::Name);
    EXPECT_TRUE(damaged.FolderTotals);
}

TEST(AddedOptions, AStoreThatCannotWriteIsAnError) {
    // A folder in the file's place cannot be replaced, not even by root.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Tabulist.ini"));
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Tabulist.ini")));
    EXPECT_THROW(StoreAddedOptions(path, {}), EInOutError);
}

}  // namespace
}  // namespace tabulist
