#include <gtest/gtest.h>

#include <QDateTime>
#include <QTimeZone>
#include <cstdio>

#include "support/Fixture.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::ListRun;
using test::RunList;

// A tree, its catalogue, and the tree changed afterwards in every way a comparison reports.
class Compare : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"tree", "tree/d", "tree/d/e"}) fx.dir(name);
        for (const char* name :
             {"tree/keep.txt", "tree/grow.txt", "tree/gone.txt", "tree/touched.txt",
              "tree/becomes dir", "tree/d/b.txt", "tree/d/e/c.txt"}) {
            fx.file(name, QByteArray(name));
            fx.setTime(name, Then);
        }
        fx.file("tree/.hidden", QByteArray("hidden"));
    }

    ListRun catalogue(const QByteArrayList& options = {}) {
        const ListRun made = RunList(QByteArrayList{"--format", "json", "--recursive"} + options +
                                     QByteArrayList{fx.path("tree")});
        EXPECT_EQ(made.status, 0) << made.err.constData();
        test::WriteFile(fx.pathText("catalogue.json"), made.out);
        return made;
    }
    ListRun compare(const QByteArrayList& options = {}) {
        return RunList(
            QByteArrayList{"--compare", fx.path("catalogue.json"), "--recursive", "--lf"} +
            options + QByteArrayList{fx.path("tree")});
    }

    const QDateTime Then = QDateTime(QDate(2020, 5, 4), QTime(3, 2, 1), QTimeZone::utc());
    Fixture fx;
};

TEST_F(Compare, ReportsEveryKindOfChangeInPathOrderWithItsExitStatus) {
    catalogue();
    const ListRun same = compare();
    EXPECT_EQ(same.status, 0) << same.err.constData();
    EXPECT_EQ(same.out, "0 added, 0 removed, 0 changed, 0 moved\n");

    fx.file("tree/grow.txt", QByteArray("grown a little"));
    fx.setTime("tree/grow.txt", Then);
    fx.remove("tree/gone.txt");
    fx.file("tree/d/new.txt", QByteArray("new"));
    fx.setTime("tree/touched.txt", Then.addSecs(1));
    fx.remove("tree/becomes dir");
    fx.dir("tree/becomes dir");
    const ListRun changed = compare();
    EXPECT_EQ(changed.status, 1) << changed.err.constData();
    const QStringList lines = QString::fromUtf8(changed.out).split('\n');
    ASSERT_EQ(lines.size(), 7) << changed.out.constData();
    EXPECT_EQ(lines[0], "changed: becomes dir (type file -> directory)");
    EXPECT_EQ(lines[1], "added: d/new.txt");
    EXPECT_EQ(lines[2], "removed: gone.txt");
    EXPECT_EQ(lines[3], "changed: grow.txt (size 13 -> 14)");
    EXPECT_TRUE(lines[4].startsWith("changed: touched.txt (modified 2020-05-04T"))
        << lines[4].toStdString();
    EXPECT_EQ(lines[5], "1 added, 1 removed, 3 changed, 0 moved");
    EXPECT_EQ(lines[6], "");

    // The options say what is compared: with hidden entries shown, one more is added.
    EXPECT_TRUE(compare({"--hidden"}).out.contains("added: .hidden\n"));
}

// With checksums: content changed under the same size and time (as touch -r keeps them) is
// found, and a renamed folder is one move with the moves of what it holds.
TEST_F(Compare, ChecksumsFindKeptDatesAndMoves) {
    catalogue({"--checksum", "md5"});
    fx.file("tree/keep.txt", QByteArray("tree/keep.tx!"));  // same size
    fx.setTime("tree/keep.txt", Then);
    test::WriteFile(fx.pathText("tree/d/e/c.txt"), "tree/d/e/c.txt");  // rewritten, same content
    fx.setTime("tree/d/e/c.txt", Then);
    ASSERT_EQ(std::rename(fx.path("tree/d").constData(), fx.path("tree/renamed").constData()), 0);
    const ListRun run = compare();
    EXPECT_EQ(run.status, 1) << run.err.constData();
    EXPECT_EQ(run.out,
              "moved: d -> renamed\n"
              "moved: d/b.txt -> renamed/b.txt\n"
              "moved: d/e -> renamed/e\n"
              "moved: d/e/c.txt -> renamed/e/c.txt\n"
              "changed: keep.txt (checksum differs)\n"
              "0 added, 0 removed, 1 changed, 4 moved\n");
    // The same as records with a change field.
    const ListRun json = compare({"--format", "json"});
    EXPECT_EQ(json.status, 1);
    EXPECT_TRUE(json.out.contains(
        R"({"change":"moved","path":"renamed/b.txt","old_path":"d/b.txt","old_type":"file","type":"file","old_size":12,"size":12,)"))
        << json.out.constData();
    EXPECT_TRUE(json.out.contains(R"("change":"changed","path":"keep.txt",)"));
    EXPECT_TRUE(json.out.contains(R"("differs":"checksum"})"));
    const ListRun csv = compare({"--format", "csv"});
    EXPECT_TRUE(
        csv.out.startsWith("change,path,old_path,old_type,type,old_size,size,old_modified,"
                           "modified,differs\n"
                           "moved,renamed,d,directory,directory,0,0,"))
        << csv.out.constData();
}

TEST_F(Compare, TroubleIsExitStatusTwoWithAMessage) {
    catalogue();
    const struct {
        QByteArray catalogue;  // written over the catalogue; empty: left as made
        QByteArrayList options;
        QByteArray message;
    } cases[] = {
        {"", {"--format", "sums"}, "tabulist-list: --compare reports in text, csv or json\n"},
        {"",
         {"--checksum", "md5"},
         "tabulist-list: --checksum md5 differs from the catalogue's none\n"},
        {" ", {}, "tabulist-list: catalogue '" + fx.path("catalogue.json") + "' is empty\n"},
        {"[{\"folder\":\".\",",
         {},
         "tabulist-list: catalogue '" + fx.path("catalogue.json") +
             "' is truncated: it ends after a ',' (line 1, column 16)\n"},
        {"{}",
         {},
         "tabulist-list: '" + fx.path("catalogue.json") +
             "' is not a catalogue of tabulist-list --format json: it is not an array of "
             "entries\n"},
    };
    for (const auto& c : cases) {
        if (!c.catalogue.isEmpty()) test::WriteFile(fx.pathText("catalogue.json"), c.catalogue);
        const ListRun run = compare(c.options);
        EXPECT_EQ(run.status, 2) << c.message.constData();
        EXPECT_TRUE(run.err.startsWith(c.message)) << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
    }
    const ListRun missing = RunList({"--compare", fx.path("nothing.json"), fx.path("tree")});
    EXPECT_EQ(missing.status, 2);
    // The reason is the system's own text ("File not found." under Wine).
#ifdef _WIN32
    EXPECT_TRUE(missing.err.startsWith("tabulist-list: cannot read catalogue '" +
                                       fx.path("nothing.json") + "': "))
        << missing.err.constData();
#else
    EXPECT_EQ(missing.err, "tabulist-list: cannot read catalogue '" + fx.path("nothing.json") +
                               "': No such file or directory\n");
#endif
    const ListRun noFolder =
        RunList({"--compare", fx.path("catalogue.json"), fx.path("no folder")});
    EXPECT_EQ(noFolder.status, 2);
}

}  // namespace
}  // namespace tabulist
