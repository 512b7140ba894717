#include <gtest/gtest.h>
#include <unistd.h>

#include <QStringList>
#include <vector>

#include "platform/Entries.h"
#include "platform/PackedTime.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::Fixture;

struct Seen {
    QString name;
    QByteArray raw;
    int32_t attr;
    int64_t size;
    int32_t time;
};

std::vector<Seen> scanAll(const QByteArray& dir, const QString& mask, int attrMask) {
    std::vector<Seen> seen;
    TSearchRec rec;
    int code = OpenEntryScan(dir, mask, attrMask, rec);
    while (code == 0) {
        seen.push_back({rec.Name, rec.RawName, rec.Attr, rec.Size, rec.Time});
        code = NextScanEntry(rec);
    }
    EXPECT_TRUE(seen.empty() || code == ScanNoMoreFiles);
    CloseEntryScan(rec);
    return seen;
}

QStringList namesOf(const std::vector<Seen>& seen) {
    QStringList names;
    for (const Seen& s : seen) names << s.name;
    return names;
}

const Seen& entry(const std::vector<Seen>& seen, const QString& name) {
    for (const Seen& s : seen)
        if (s.name == name) return s;
    throw std::runtime_error("no entry " + name.toStdString());
}

TEST(EntryScan, DotEntriesFirstThenNamesWithoutRegardToCase) {
    SKIP_ON_WINDOWS("names that differ only in case are one file on Windows");
    Fixture fx;
    for (const char* name : {"b.txt", "B.txt", "a", "_x", "C", "10", "9", "ä"}) fx.file(name);
    fx.dir("Bdir");
    EXPECT_EQ(namesOf(scanAll(fx.root(), "*", 63)),
              QStringList({".", "..", "10", "9", "_x", "a", "B.txt", "b.txt", "Bdir", "C", "ä"}));
}

TEST(EntryScan, DriveRootHasNoDotEntries) {
    SKIP_ON_WINDOWS("the root of a Linux system; Windows drive roots: WindowsDrives");
    const QStringList atRoot = namesOf(scanAll("/", "*", 63));
    EXPECT_FALSE(atRoot.contains("."));
    EXPECT_FALSE(atRoot.contains(".."));
    EXPECT_TRUE(atRoot.contains("tmp") || atRoot.contains("usr"));
}

TEST(EntryScan, ExcludeMaskLeavesOutHiddenAndSystemButNotReadOnly) {
    SKIP_ON_WINDOWS("a FIFO and hidden dot-names are Linux's; Windows bits: WindowsAttributes");
    Fixture fx;
    fx.dir("visible");
    fx.dir(".hidden");
    fx.file("plain");
    fx.file("locked");
    fx.setMode("locked", 0444);
    fx.fifo("pipe");
    EXPECT_EQ(namesOf(scanAll(fx.root(), "*", 63)),
              QStringList({".", "..", ".hidden", "locked", "pipe", "plain", "visible"}));
    // The directory list's mask: directories and plain files, read-only ones included.
    EXPECT_EQ(namesOf(scanAll(fx.root(), "*.*", 16)),
              QStringList({".", "..", "locked", "plain", "visible"}));
    // Without the directory bit, directories go too.
    EXPECT_EQ(namesOf(scanAll(fx.root(), "*", 0x21)), QStringList({"locked", "plain"}));
}

TEST(EntryScan, AttributeWordForEachKindOfEntry) {
    SKIP_ON_WINDOWS("the Linux mapping of modes, FIFOs and links to attribute bits");
    Fixture fx;
    fx.dir("dir");
    fx.dir("rodir");
    fx.setMode("rodir", 0555);
    fx.file("file", 10);
    fx.file("ro", 5);
    fx.setMode("ro", 0444);
    fx.file(".dot");
    fx.fifo("fifo");
    fx.symlink("tofile", "file");
    fx.symlink("todir", "dir");
    fx.symlink("dangling", "missing");
    fx.symlink(".hiddenlink", "missing");
    const auto seen = scanAll(fx.root(), "*", 63);
    EXPECT_EQ(entry(seen, ".").attr, 0x10);
    EXPECT_EQ(entry(seen, "..").attr, 0x10);
    EXPECT_EQ(entry(seen, "dir").attr, 0x10);
    EXPECT_EQ(entry(seen, "rodir").attr, 0x11);
    EXPECT_EQ(entry(seen, "file").attr, 0x20);
    EXPECT_EQ(entry(seen, "ro").attr, 0x21);
    EXPECT_EQ(entry(seen, ".dot").attr, 0x22);
    EXPECT_EQ(entry(seen, "fifo").attr, 0x24);
    EXPECT_EQ(entry(seen, "tofile").attr, 0x20);
    EXPECT_EQ(entry(seen, "tofile").size, 10);  // the target's size
    EXPECT_EQ(entry(seen, "todir").attr, 0x10);
    EXPECT_EQ(entry(seen, "dangling").attr, 0x20);
    EXPECT_EQ(entry(seen, ".hiddenlink").attr, 0x22);
}

TEST(EntryScan, SizesAreFullSixtyFourBitAndZeroForDirectories) {
    Fixture fx;
    fx.file("three", int64_t(3) << 30);
    fx.file("four", int64_t(4) << 30);
    fx.file("empty");
    fx.file("some", QByteArray(1234, 'x'));
    fx.dir("dir");
    const auto seen = scanAll(fx.root(), "*", 63);
    EXPECT_EQ(entry(seen, "three").size, 3221225472);
    EXPECT_EQ(entry(seen, "four").size, 4294967296);
    EXPECT_EQ(entry(seen, "empty").size, 0);
    EXPECT_EQ(entry(seen, "some").size, 1234);
    EXPECT_EQ(entry(seen, "dir").size, 0);
}

TEST(EntryScan, TimesArePackedLocalAndClampedToThePackedRange) {
    Fixture fx;
    fx.file("midnight");
    fx.setLocalTime("midnight", 2000, 1, 1, 0, 0, 0);
    fx.file("last");
    fx.setLocalTime("last", 2000, 1, 1, 23, 59, 59);
    fx.file("summer");
    fx.setLocalTime("summer", 2021, 7, 15, 13, 45, 20);
    fx.file("old");
    fx.setLocalTime("old", 1970, 6, 1, 12, 0, 0);
    fx.file("future");
    fx.setLocalTime("future", 2050, 3, 4, 5, 6, 8);
    const auto seen = scanAll(fx.root(), "*", 63);
    EXPECT_EQ(uint32_t(entry(seen, "midnight").time), 0x28210000u);
    EXPECT_EQ(uint32_t(entry(seen, "last").time), 0x2821BF7Du);
    EXPECT_EQ(entry(seen, "summer").time, PackFields(2021, 7, 15, 13, 45, 20));
    EXPECT_EQ(entry(seen, "old").time, PackFields(1980, 1, 1, 0, 0, 0));
    EXPECT_EQ(uint32_t(entry(seen, "future").time),
              uint32_t(70) << 25 | 3u << 21 | 4u << 16 | 5u << 11 | 6u << 5 | 4u);
}

TEST(PackedTime, MomentsPastTheRangeClampToItsLastStamp) {
    tm t{};
    t.tm_year = 2200 - 1900;
    t.tm_mon = 0;
    t.tm_mday = 1;
    t.tm_isdst = -1;
    EXPECT_EQ(PackLocalTime(mktime(&t)), PackFields(2107, 12, 31, 23, 59, 58));
    EXPECT_EQ(PackLocalTime(std::numeric_limits<time_t>::max()),
              PackFields(2107, 12, 31, 23, 59, 58));
    EXPECT_EQ(PackLocalTime(std::numeric_limits<time_t>::min()), PackFields(1980, 1, 1, 0, 0, 0));
}

TEST(EntryScan, NamesAreShownDecodedButReachedByTheirRawBytes) {
    SKIP_ON_WINDOWS("Windows names are UTF-16: no undecodable bytes, no control characters");
    Fixture fx;
    fx.file(QByteArray("tab\there"), 1);
    fx.file(QByteArray("bad\xff\xfe"), 2);
    fx.file(QByteArray("del\x7f"), 3);
    fx.file(QByteArray("gr\xc3\xbc\xc3\x9f"), 4);
    const auto seen = scanAll(fx.root(), "*", 0x21);
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(entry(seen, "tab?here").raw, QByteArray("tab\there"));
    EXPECT_EQ(entry(seen, "tab?here").size, 1);
    EXPECT_EQ(entry(seen, QString::fromUtf8("bad\uFFFD\uFFFD")).raw, QByteArray("bad\xff\xfe"));
    EXPECT_EQ(entry(seen, QString::fromUtf8("bad\uFFFD\uFFFD")).size, 2);
    EXPECT_EQ(entry(seen, "del?").size, 3);
    EXPECT_EQ(entry(seen, QString::fromUtf8("grüß")).size, 4);
}

TEST(EntryScan, NamesThatDecodeAlikeStayTwoEntries) {
    SKIP_ON_WINDOWS("Windows names are UTF-16: no undecodable bytes");
    Fixture fx;
    fx.file(QByteArray("x\xff"), 1);
    fx.file(QByteArray("x\xfe"), 2);
    const auto seen = scanAll(fx.root(), "x*", 63);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].name, seen[1].name);
    EXPECT_EQ(seen[0].size, 2);  // ties in byte order
    EXPECT_EQ(seen[1].size, 1);
}

// Names alike in their first eight or sixteen bytes: the first difference decides, a byte
// above 0x7F counts as large wherever it falls, and a name that is the start of another
// comes first.
TEST(EntryScan, LongCommonBeginningsSortByTheFirstDifference) {
    SKIP_ON_WINDOWS("Windows names are UTF-16: no undecodable bytes, and case-insensitive");
    Fixture fx;
    for (const QByteArray& name :
         {QByteArray("prefix__abcdefgh\xc3\xa9"), QByteArray("prefix__abcdefgh2"),
          QByteArray("PREFIX__ABCDEFGH2"), QByteArray("prefix__abcdefgh"),
          QByteArray("prefix__abcdefgh1"), QByteArray("abcdefg\xc3\xa9"), QByteArray("abcdefgz"),
          QByteArray("abcdefgh\xff"), QByteArray("abcdefgh~")})
        fx.file(name);
    const auto seen = scanAll(fx.root(), "*", 0x21);
    QByteArrayList raw;
    for (const Seen& s : seen) raw << s.raw;
    EXPECT_EQ(raw, (QByteArrayList{"abcdefgh~", "abcdefgh\xff", "abcdefgz", "abcdefg\xc3\xa9",
                                   "prefix__abcdefgh", "prefix__abcdefgh1", "PREFIX__ABCDEFGH2",
                                   "prefix__abcdefgh2", "prefix__abcdefgh\xc3\xa9"}));
}

TEST(EntryScan, PatternFormSplitsDirectoryAndMask) {
    Fixture fx;
    fx.file("a.TXT");
    fx.file("b.txt");
    fx.file("c.doc");
    TSearchRec rec;
    ASSERT_EQ(OpenEntryScan(fx.rootText() + "/*.txt", 63, rec), 0);
    QStringList names{rec.Name};
    while (NextScanEntry(rec) == 0) names << rec.Name;
    EXPECT_EQ(names, QStringList({"a.TXT", "b.txt"}));
    // The end does not close; only CloseEntryScan does, and twice is harmless.
    EXPECT_EQ(NextScanEntry(rec), ScanNoMoreFiles);
    EXPECT_TRUE(rec.isOpen());
    CloseEntryScan(rec);
    CloseEntryScan(rec);
    EXPECT_FALSE(rec.isOpen());
}

TEST(EntryScan, FailedOpenLeavesNothingOpen) {
    Fixture fx;
    fx.file("only.txt");
    fx.file(".hidden");
    TSearchRec rec;
    EXPECT_NE(OpenEntryScan(fx.rootText() + "/*.doc", 63, rec), 0);
    EXPECT_FALSE(rec.isOpen());
    EXPECT_NE(OpenEntryScan(fx.rootText() + "/", 63, rec), 0);  // empty mask
    EXPECT_FALSE(rec.isOpen());
    EXPECT_NE(OpenEntryScan(fx.rootText() + "/missing/*", 63, rec), 0);
    EXPECT_FALSE(rec.isOpen());
    EXPECT_NE(OpenEntryScan(fx.rootText() + "/only.txt/*", 63, rec), 0);
    EXPECT_FALSE(rec.isOpen());
    // Matches exist, but every one is excluded.
    EXPECT_NE(OpenEntryScan(fx.rootText() + "/.h*", 0x31, rec), 0);
    EXPECT_FALSE(rec.isOpen());
    CloseEntryScan(rec);
    EXPECT_FALSE(rec.isOpen());
}

// Run as an ordinary user: permissions do not bind root.
TEST(EntryScan, UnreadableDirectoryFailsToOpen) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    Fixture fx;
    fx.setMode("", 0755);
    fx.dir("closed");
    fx.file("closed/inside");
    fx.setMode("closed", 0);
    EXPECT_TRUE(test::AsUnprivileged([&] {
        TSearchRec rec;
        const bool refused = OpenEntryScan(fx.rootText() + "/closed/*", 63, rec) != 0;
        return refused && !rec.isOpen();
    }));
}

TEST(EntryScan, EntriesRemovedDuringTheScanArePassedOver) {
    SKIP_ON_WINDOWS("the Windows scan reads names and metadata in one pass");
    Fixture fx;
    for (const char* name : {"a", "b", "c", "d"}) fx.file(name);
    TSearchRec rec;
    ASSERT_EQ(OpenEntryScan(fx.root(), "*", 0x21, rec), 0);
    EXPECT_EQ(rec.Name, "a");
    fx.remove("b");
    fx.remove("c");
    ASSERT_EQ(NextScanEntry(rec), 0);
    EXPECT_EQ(rec.Name, "d");
    fx.remove("d");
    EXPECT_EQ(NextScanEntry(rec), ScanNoMoreFiles);
    CloseEntryScan(rec);
}

TEST(EntryScan, ReopeningARecordStartsAFreshScan) {
    Fixture fx;
    fx.file("one");
    fx.file("two");
    TSearchRec rec;
    ASSERT_EQ(OpenEntryScan(fx.root(), "*", 0x21, rec), 0);
    ASSERT_EQ(OpenEntryScan(fx.root(), "t*", 0x21, rec), 0);
    EXPECT_EQ(rec.Name, "two");
    EXPECT_EQ(NextScanEntry(rec), ScanNoMoreFiles);
    CloseEntryScan(rec);
}

}  // namespace
}  // namespace tabulist
