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
#include "support/OnWindows.h"

namespace tabulist {
namespace {

// Sets a file's attribute bits; a file is made when it is not there.
void SetAttributes(test::Fixture& fx, const char* name, DWORD attributes) {
    const std::wstring path = QString::fromUtf8(fx.path(name)).toStdWString();
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) fx.file(name, 3);
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes)) << name;
}

QStringList Names(const test::Fixture& fx, int attributes) {
    TSearchRec rec;
    QStringList seen;
    for (int code = OpenEntryScan(fx.root(), QStringLiteral("*"), attributes, rec); code == 0;
         code = NextScanEntry(rec))
        seen << QStringLiteral("%1 %2").arg(rec.Name).arg(rec.Attr, 0, 16);
    CloseEntryScan(rec);
    return seen;
}

TEST(WindowsAttributes, EntriesCarryTheBitsTheFileSystemHolds) {
    test::Fixture fx;
    SetAttributes(fx, "archived", FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(fx, "hidden", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(fx, "system", FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(fx, "both",
                  FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    SetAttributes(fx, "readonly", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE);
    fx.dir("folder");
    SetAttributes(fx, "folder", FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN);

    EXPECT_EQ(Names(fx, 63), QStringList({". 10", ".. 10", "archived 20", "both 26", "folder 12",
                                          "hidden 22", "readonly 21", "system 24"}));
    // The listing's default class: hidden and system entries are left out, read-only ones stay.
    EXPECT_EQ(Names(fx, 0x21), QStringList({"archived 20", "readonly 21"}));
}

TEST(WindowsAttributes, AFileWithoutTheArchiveBitHasNone) {
    SKIP_UNDER_WINE("every file is reported with the archive bit");
    test::Fixture fx;
    SetAttributes(fx, "plain", FILE_ATTRIBUTE_NORMAL);
    SetAttributes(fx, "system", FILE_ATTRIBUTE_SYSTEM);
    EXPECT_EQ(Names(fx, 63), QStringList({". 10", ".. 10", "plain 0", "system 4"}));
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
