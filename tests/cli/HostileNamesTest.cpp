#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include "support/Fixture.h"
#include "support/RunList.h"

namespace tabulist::test {
namespace {

const QByteArray LongName(255, 'n');

// Names a Linux file system allows and a listing must survive.
const QByteArrayList HostileNames = {"new\nline",
                                     "tab\tbed",
                                     "carriage\rreturn",
                                     "bell\x07"
                                     "and\x1b"
                                     "esc",
                                     "del\x7f",
                                     "latin1-\xe9t\xe9",
                                     "cut-\xe2\x82",
                                     "%s%n",
                                     "-rf",
                                     "[x]",
                                     "Case",
                                     "case",
                                     "CASE",
                                     LongName};

TEST(HostileNames, OneLinePerEntryWithWidthsCountedInCharacters) {
    Fixture tree;
    for (const QByteArray& name : HostileNames) tree.file(name, 7);
    const ListRun run = RunList({"--no-date", tree.root()});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    // Every line ends in CR LF and no entry brings a line end of its own.
    EXPECT_TRUE(run.out.endsWith("\r\n"));
    EXPECT_EQ(run.out.count('\n'), run.out.count("\r\n"));
    EXPECT_EQ(run.out.count('\r'), run.out.count("\r\n"));

    const QStringList lines = run.lines();
    QStringList entries;
    for (const QString& line : lines)
        if (line.contains(QLatin1Char('\t')) && !line.startsWith(QLatin1String("[.")))
            entries << line;
    ASSERT_EQ(entries.size(), HostileNames.size()) << run.out.constData();
    for (const QString& line : entries) {
        // Padded to 31 up to 14 characters, to 26 up to 19, not at all beyond.
        const QString name = line.section(QLatin1Char('\t'), 0, 0);
        const int length = int(name.trimmed().size());
        EXPECT_EQ(name.size(), length <= 14   ? 31
                               : length <= 19 ? 26
                                              : length)
            << name.toStdString();
        EXPECT_TRUE(line.endsWith(QStringLiteral("       7"))) << line.toStdString();
    }
    EXPECT_TRUE(lines.contains(QString::fromUtf8("latin1-\xef\xbf\xbdt\xef\xbf\xbd") +
                               QString(21, QLatin1Char(' ')) + "\tA \t        7"));
    // Case twins stay three entries, in byte order.
    const qsizetype upper = run.out.indexOf("CASE "), mixed = run.out.indexOf("Case "),
                    lower = run.out.indexOf("case ");
    EXPECT_TRUE(upper >= 0 && upper < mixed && mixed < lower);
    EXPECT_TRUE(run.out.contains(LongName + "\tA \t"));

    // The same names in six columns: one line of the body per six names.
    const ListRun columns = RunList({"--columns", "6", "--mask", "*", tree.root()});
    ASSERT_EQ(columns.status, 0);
    const qsizetype names = HostileNames.size() + 2;  // with "." and ".."
    EXPECT_EQ(columns.lines().size() - columns.lines().count(QString()), (names + 5) / 6)
        << columns.out.constData();
}

// Letters beyond ASCII at every place of a run of plain ones reach the output as UTF-8.
TEST(HostileNames, NamesBeyondAsciiAreWrittenAsUtf8WhereverTheyStart) {
    Fixture tree;
    QByteArrayList names;
    for (int before = 0; before <= 9; ++before)
        names << QByteArray(before, 'a') + "\xc3\xa9" + QByteArray(9 - before, 'b');
    names << "x\xf0\x9f\x98\x80y"
          << "\xe6\x97\xa5\xe6\x9c\xac";
    for (const QByteArray& name : names) tree.file(name, 1);
    const ListRun run = RunList({"--no-date", "--no-size", "--no-attributes", tree.root()});
    ASSERT_EQ(run.status, 0) << run.err.constData();
    for (const QByteArray& name : names)
        EXPECT_TRUE(run.out.contains(name + ' ')) << name.constData();
    EXPECT_EQ(QString::fromUtf8(run.out).toUtf8(), run.out);  // nothing else beyond ASCII
}

// A directory whose own name is not text or holds a line end is listed, and the path
// line stays one line.
TEST(HostileNames, DirectoryNamedWithBadBytesOrLineEndIsListed) {
    Fixture tree;
    for (const QByteArray& dir : {QByteArray("bad-\xff-dir"), QByteArray("line\nend")}) {
        tree.dir(dir);
        tree.file(dir + "/inside.txt", 3);
        const ListRun run = RunList({"--path", tree.path(dir)});
        ASSERT_EQ(run.status, 0) << run.err.constData();
        EXPECT_TRUE(run.out.contains("inside.txt")) << run.out.constData();
        EXPECT_EQ(run.out.count('\n'), run.out.count("\r\n"));

        // The same as the working directory.
        const int fd = open(tree.path(dir).constData(), O_RDONLY | O_DIRECTORY);
        const ListRun here = RunList({}, fd);
        close(fd);
        EXPECT_EQ(here.status, 0) << here.err.constData();
        EXPECT_TRUE(here.out.contains("inside.txt"));
    }
}

}  // namespace
}  // namespace tabulist::test
