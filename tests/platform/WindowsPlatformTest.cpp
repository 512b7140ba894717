// What the platform layer does on Windows alone: the file system's own attribute bits, drive
// letters with their volume names, and the working directory at a drive root.
#include <gtest/gtest.h>
#include <windows.h>

#include <QStringList>

#include "platform/CodePage.h"
#include "platform/DriveTable.h"
#include "platform/Entries.h"
#include "platform/WorkingDirectory.h"
#include "support/Fixture.h"

namespace tabulist {
namespace {

TEST(WindowsAttributes, EntriesCarryTheBitsTheFileSystemHolds) {
    test::Fixture fx;
    const struct {
        const char* name;
        DWORD set;
        int32_t attr;
    } cases[] = {
        {"normal", FILE_ATTRIBUTE_NORMAL, 0},
        {"archived", FILE_ATTRIBUTE_ARCHIVE, 0x20},
        {"hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE, 0x22},
        {"system", FILE_ATTRIBUTE_SYSTEM, 0x04},
        {"both", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM, 0x06},
        {"readonly", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE, 0x21},
    };
    for (const auto& c : cases) {
        fx.file(c.name, 3);
        const std::wstring path = QString::fromUtf8(fx.path(c.name)).toStdWString();
        ASSERT_TRUE(SetFileAttributesW(path.c_str(), c.set)) << c.name;
    }
    fx.dir("folder");
    SetFileAttributesW(QString::fromUtf8(fx.path("folder")).toStdWString().c_str(),
                       FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

    TSearchRec rec;
    QStringList seen;
    for (int code = OpenEntryScan(fx.root(), QStringLiteral("*"), 63, rec); code == 0;
         code = NextScanEntry(rec)) {
        seen << rec.Name;
        for (const auto& c : cases) {
            if (rec.Name != QLatin1String(c.name)) continue;
            EXPECT_EQ(rec.Attr, c.attr) << c.name;
            EXPECT_EQ(rec.Size, 3) << c.name;
        }
        if (rec.Name == QLatin1String("folder")) {
            EXPECT_EQ(rec.Attr, 0x12);
        }
    }
    CloseEntryScan(rec);
    EXPECT_EQ(seen, QStringList({".", "..", "archived", "both", "folder", "hidden", "normal",
                                 "readonly", "system"}));

    // The listing's default class: hidden and system entries are left out, read-only ones stay.
    seen.clear();
    for (int code = OpenEntryScan(fx.root(), QStringLiteral("*"), 0x21, rec); code == 0;
         code = NextScanEntry(rec))
        seen << rec.Name;
    CloseEntryScan(rec);
    EXPECT_EQ(seen, QStringList({"archived", "normal", "readonly"}));
}

TEST(WindowsDrives, LettersWithTheirVolumeNamesAndSizes) {
    const DriveTable table = DriveTable::system();
    const Drive* c = table.byLetter(QLatin1Char('C'));
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->root, QStringLiteral("C:/"));
    EXPECT_EQ(c->type, DriveType::Fixed);
    wchar_t name[MAX_PATH + 1] = {};
    ASSERT_TRUE(
        GetVolumeInformationW(L"C:\\", name, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0));
    const QString label = QString::fromWCharArray(name);
    EXPECT_EQ(c->label, label);
    EXPECT_EQ(DriveTable::rowText(*c, TextCase::UpperCase), "C: [" + label.toUpper() + "]");
    // A path on C: belongs to it whatever the case of its letter.
    EXPECT_EQ(table.driveOf(QStringLiteral("c:/windows")), c);
    EXPECT_EQ(table.driveOf(QStringLiteral("C:")), c);
    const int64_t size = QueryDriveSize(3), free = QueryDriveFree(3);
    EXPECT_GT(size, 0);
    EXPECT_GE(free, 0);
    EXPECT_LE(free, size);
    EXPECT_EQ(QueryDriveSize(27), -1);
}

TEST(WindowsDrives, ADriveRootIsEnteredAsItsRootAndListedWithoutDots) {
    test::WorkingDirectoryGuard back;
    ChangeWorkingDirectory("C:/windows");
    // "C:" alone is the root, not the drive's own current folder.
    ChangeWorkingDirectory("C:");
    EXPECT_EQ(ReadWorkingDirectory(), QByteArray("C:/"));
    TSearchRec rec;
    QStringList names;
    for (int code = OpenEntryScan(QByteArray("C:/"), QStringLiteral("*"), 0x10, rec); code == 0;
         code = NextScanEntry(rec))
        names << rec.Name.toLower();
    CloseEntryScan(rec);
    EXPECT_FALSE(names.contains(QStringLiteral(".")));
    EXPECT_TRUE(names.contains(QStringLiteral("windows")));
}

// The activity glyph is byte 0x9F of the system's code page; a page where that byte stands for
// nothing alone keeps the fallback.
TEST(WindowsCodePage, ASingleByteOfAPage) {
    const struct {
        unsigned page;
        char16_t expected;
    } cases[] = {{1252, 0x0178}, {1250, 0x017A}, {1251, 0x045F}, {932, u'?'}, {65001, u'?'}};
    for (const auto& c : cases)
        EXPECT_EQ(CodePageCharacter(c.page, 0x9F, QChar(u'?')), QChar(c.expected)) << c.page;
}

}  // namespace
}  // namespace tabulist
