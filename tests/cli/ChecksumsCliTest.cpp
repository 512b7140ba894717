#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

using test::Fixture;
using test::ListRun;
using test::RunList;

struct Checked {
    int status = -1;
    QByteArray out;
};

// The system's tool checking a list from the folder the list was made of.
Checked CheckWith(const QString& tool, const QString& list, const QString& folder) {
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(tool, {"-c", list});
    EXPECT_TRUE(process.waitForFinished(60000));
    return {process.exitCode(), process.readAllStandardOutput() + process.readAllStandardError()};
}

// Names that break a checksum list; every one passes the tools' checks, and what is no file
// (a folder, a link) has no line.
class Sums : public ::testing::Test {
protected:
    void SetUp() override {
        SKIP_ON_WINDOWS(
            "backslashes, line breaks and bytes that are not UTF-8 in names are Linux's");
        fx.file("plain.txt", QByteArray("plain"));
        fx.file("with space.txt", QByteArray("space"));
        fx.file("  leading", QByteArray("lead"));
        fx.file("back\\slash\\n", QByteArray("back"));
        fx.file("line\nend", QByteArray("line"));
        fx.file("carriage\rreturn", QByteArray("cr"));
        fx.file("bad\xff\xfe", QByteArray("bad"));
        fx.file("*star", QByteArray("star"));
        fx.dir("sub dir");
        fx.file("sub dir/inner\\\n.txt", QByteArray("inner"));
        fx.symlink("link", "plain.txt");
    }
    Fixture fx;
};

TEST_F(Sums, EveryNamePassesTheToolsChecks) {
    const struct {
        const char* algorithm;
        const char* tool;
        int passing;  // of the 9 files
    } cases[] = {
        {"sha256", "sha256sum", 9},
        {"md5", "md5sum", 9},
        // xxhsum before 0.8.2 reads no escaped line: the two names with LF cannot pass there.
        {"xxh128", "xxhsum", 7},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.algorithm);
        const ListRun run =
            RunList({"--format", "sums", "--recursive", "--checksum", c.algorithm, fx.root()});
        ASSERT_EQ(run.status, 0) << run.err.constData();
        EXPECT_EQ(run.out.count('\n'), 9);  // a line per file: no LF of a name is left raw
        EXPECT_FALSE(run.out.contains("link"));
        test::WriteFile(fx.pathText("../list"), run.out);
        const Checked checked =
            CheckWith(c.tool, QDir::cleanPath(fx.pathText("../list")), fx.rootText());
        EXPECT_EQ(checked.out.count(": OK"), c.passing) << checked.out.constData();
        if (c.passing == 9) {
            EXPECT_EQ(checked.status, 0) << checked.out.constData();
        }
        QFile::remove(QDir::cleanPath(fx.pathText("../list")));
    }
    // The escaped lines as the tools write them; xxh128 leaves a name without LF as it is.
    const ListRun sha = RunList({"--format", "sums", "--recursive", fx.root()});
    EXPECT_TRUE(sha.out.contains("  back\\\\slash\\\\n\n")) << sha.out.constData();
    EXPECT_TRUE(sha.out.contains("  line\\nend\n"));
    EXPECT_TRUE(sha.out.contains("  carriage\\rreturn\n"));
    EXPECT_TRUE(sha.out.contains("  sub dir/inner\\\\\\n.txt\n"));
    const ListRun xxh = RunList({"--format", "sums", "--checksum", "xxh128", fx.root()});
    EXPECT_TRUE(xxh.out.contains("  back\\slash\\n\n")) << xxh.out.constData();
    EXPECT_TRUE(xxh.out.contains("\\") && xxh.out.contains("  line\\nend\n"));
}

// The checksum is the last field of a file's detail line, empty for the rest; a file that
// cannot be read gets an empty field, a message and exit status 1, and the listing goes on.
TEST(ChecksumField, LastFieldOfDetailLinesAndUnreadableFiles) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    Fixture fx;
    fx.file("a.txt", QByteArray("abc"));
    fx.file("secret", QByteArray("hidden"));
    fx.dir("sub");
    fx.symlink("link", "a.txt");
    fx.setMode("secret", 0600);
    fx.setMode("", 0755);
    const ListRun run = RunList({"--checksum", "md5", fx.root()}, -1, true);
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              "tabulist-list: cannot read " + fx.path("secret") + ": File access denied\n");
    const QStringList lines = run.lines();
    const auto line = [&](const QString& start) {
        for (const QString& l : lines)
            if (l.startsWith(start)) return l;
        return QString();
    };
    EXPECT_TRUE(line("a.txt ").endsWith("\t900150983cd24fb0d6963f7d28e17f72"))
        << line("a.txt ").toStdString();
    EXPECT_EQ(line("a.txt ").count('\t'), 4);
    for (const QString start : {"secret ", "[sub] ", "link ", "[.] "}) {
        EXPECT_TRUE(line(start).endsWith('\t')) << start.toStdString();
        EXPECT_EQ(line(start).count('\t'), 4) << start.toStdString();
    }
    // Without attributes the field still comes last; with columns there is no field for it.
    const ListRun bare =
        RunList({"--checksum", "sha256", "--no-attributes", "--no-size", "--no-date", fx.root()});
    EXPECT_TRUE(bare.lines().contains(
        QStringLiteral("a.txt                          \t"
                       "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad")))
        << bare.out.constData();
    const ListRun columns = RunList({"--checksum", "md5", "--columns", "3", fx.root()});
    EXPECT_EQ(columns.status, 2);
    EXPECT_EQ(columns.err,
              "tabulist-list: --checksum adds a field to detail lines, not to columns\n");
    const ListRun unknown = RunList({"--checksum", "sha1", fx.root()});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_TRUE(unknown.err.startsWith(
        "tabulist-list: invalid value 'sha1' for --checksum (sha256, md5, xxh128)\n"));
    // Not a terminal: no progress line.
    EXPECT_FALSE(RunList({"--checksum", "md5", fx.root()}).err.contains("checksums:"));
}

// The data formats carry a field named after the algorithm: empty for anything but a file.
TEST(ChecksumField, NamedAfterTheAlgorithmInCsvJsonAndHtml) {
    Fixture fx;
    fx.file("a.txt", QByteArray("abc"));
    fx.dir("sub");
    const ListRun csv = RunList({"--format", "csv", "--lf", "--checksum", "sha256", fx.root()});
    EXPECT_TRUE(csv.out.startsWith("folder,name,type,attributes,size,modified,sha256\n.,a.txt,"));
    EXPECT_TRUE(csv.out.contains(
        ",ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad\n.,sub,directory,"));
    EXPECT_TRUE(csv.out.endsWith(",\n"));
    const ListRun json = RunList({"--format", "json", "--checksum", "xxh128", fx.root()});
    EXPECT_TRUE(json.out.contains(R"("xxh128":"06b05ab6733a618578af5f94892f3950"})"))
        << json.out.constData();
    EXPECT_TRUE(json.out.contains(R"("type":"directory",)") &&
                json.out.contains(R"("xxh128":""})"));
    // The HTML catalogue's data block gets the field after its own four; without checksums
    // it has those four alone.
    const auto htmlData = [&](QByteArrayList args) {
        args << "--format"
             << "html" << fx.root();
        const QByteArray page = RunList(args).out;
        const QByteArray open = R"(<script type="application/json" id="catalogue">)";
        const qsizetype start = page.indexOf(open) + open.size();
        return QJsonDocument::fromJson(page.mid(start, page.indexOf("</script>", start) - start))
            .object();
    };
    const QJsonArray fields{u"name"_qs, u"kind"_qs, u"size"_qs, u"modified"_qs};
    EXPECT_EQ(htmlData({})[u"fields"].toArray(), fields);
    const QJsonObject html = htmlData({"--checksum", "sha256"});
    EXPECT_EQ(html[u"fields"].toArray(), QJsonArray(fields) << u"sha256"_qs);
    const QJsonArray cells = html[u"folders"][0][2].toArray();
    ASSERT_EQ(cells.size(), 10);
    EXPECT_EQ(cells[0], u"a.txt"_qs);
    EXPECT_EQ(cells[4], u"ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"_qs);
    EXPECT_EQ(cells[5], u"sub"_qs);
    EXPECT_EQ(cells[9], u""_qs);
}

}  // namespace
}  // namespace tabulist
