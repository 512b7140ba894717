#include <gtest/gtest.h>

#include <QJsonObject>

#include "support/DataReadBack.h"
#include "support/Fixture.h"
#include "support/RunList.h"

namespace tabulist {
namespace {

using test::Fixture;

using test::ListRun;

// The built lister run as a process, so that the exit status is the one a script sees.
ListRun Lister(const QStringList& args) {
    QByteArrayList bytes;
    for (const QString& arg : args) bytes << arg.toUtf8();
    return test::RunList(bytes);
}

const QString Bad = QString(QChar(0xFFFD)) + QChar(0xFFFD);

// Names that break naive CSV and JSON writers; tabulist-list writes them exactly.
class DataFormats : public ::testing::Test {
protected:
    void SetUp() override {
        fx.file("comma,name.txt", 12);
        fx.file("say \"hi\".txt", 3);
        fx.file("line\r\nend.txt");
        fx.file("bad\xff\xfe.txt");
        fx.file("=SUM(A1).txt");
        fx.dir("sub");
        fx.file(".hidden");
    }
    const QStringList names = {"=SUM(A1).txt",    "bad" + Bad + ".txt", "comma,name.txt",
                               "line\r\nend.txt", "say \"hi\".txt",     "sub"};
    Fixture fx;
};

TEST_F(DataFormats, CsvReadsBackWithEveryNameExact) {
    const ListRun crlf = Lister({"--format", "csv", fx.rootText()});
    ASSERT_EQ(crlf.status, 0) << crlf.err.toStdString();
    EXPECT_TRUE(crlf.out.startsWith("folder,name,type,attributes,size,modified\r\n"));
    const QList<QStringList> rows = test::CsvRows(crlf.out);
    ASSERT_EQ(rows.size(), names.size() + 1);
    QStringList read;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        ASSERT_EQ(rows[i].size(), 6);
        EXPECT_EQ(rows[i][0], ".");
        read << rows[i][1];
    }
    EXPECT_EQ(read, names);
    EXPECT_EQ(rows[3].mid(2, 3), QStringList({"file", "A", "12"}));
    EXPECT_EQ(rows[6].mid(2, 3), QStringList({"directory", "", "0"}));

    const ListRun lf = Lister({"--format", "csv", "--lf", fx.rootText()});
    EXPECT_EQ(test::CsvRows(lf.out), rows);
    EXPECT_EQ(lf.out.count('\r'), 1);  // the one inside a name
}

TEST_F(DataFormats, JsonReadsBackAsOneArrayOfObjects) {
    const ListRun json = Lister({"--format", "json", "--hidden", fx.rootText()});
    ASSERT_EQ(json.status, 0) << json.err.toStdString();
    const QJsonArray entries = test::JsonArray(json.out);
    QStringList read;
    for (const QJsonValue& value : entries) {
        const QJsonObject entry = value.toObject();
        EXPECT_EQ(entry.keys(),
                  QStringList({"attributes", "folder", "modified", "name", "size", "type"}));
        read << entry.value("name").toString();
    }
    EXPECT_EQ(read, QStringList(".hidden") + names);
    EXPECT_EQ(entries[0].toObject().value("attributes").toString(), "AH");
    EXPECT_TRUE(entries[3].toObject().value("size").isDouble());
    EXPECT_EQ(entries[3].toObject().value("size").toInt(), 12);
}

TEST(DataFormatsEdges, EmptyFolderAndAFailedListingStayValid) {
    Fixture empty;
    const ListRun json = Lister({"--format", "json", empty.rootText()});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.out, "[]\n");
    const ListRun csv = Lister({"--format", "csv", empty.rootText()});
    EXPECT_EQ(test::CsvRows(csv.out),
              QList<QStringList>({{"folder", "name", "type", "attributes", "size", "modified"}}));

    empty.file("a.txt");
    const ListRun failed = Lister({"--format", "json", "--from", "2001-02-31", empty.rootText()});
    EXPECT_EQ(failed.status, 1);
    EXPECT_EQ(test::JsonArray(failed.out).size(), 0);
    EXPECT_EQ(failed.err, "tabulist-list: Invalid argument to date encode\n");

    const ListRun usage = Lister({"--format", "xml", empty.rootText()});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.contains("invalid value 'xml' for --format (text, csv, json, sums)"));
}

TEST(DataFormatsEdges, TextListingSortedBySizeReversedKeepsTheDotsFirst) {
    Fixture fx;
    fx.file("small", 1);
    fx.file("large", 300);
    fx.file("middle", 20);
    const ListRun text =
        Lister({"--sort", "size", "--reverse", "--no-date", "--no-attributes", fx.rootText()});
    ASSERT_EQ(text.status, 0);
    QStringList names;
    for (const QByteArray& line : text.out.split('\n'))
        if (!line.isEmpty() && line != "\r") names << QString(line).section(' ', 0, 0);
    EXPECT_EQ(names, QStringList({"[.]", "[..]", "large", "middle", "small"}));
    EXPECT_EQ(Lister({"--sort", "colour", fx.rootText()}).status, 2);
}

// A tree in the data formats: folders relative to the start, depth first in listing order,
// names in folders that need quoting kept exact, and an unreadable folder reported apart.
TEST(DataFormatsEdges, TreesCarryEachEntrysFolder) {
    Fixture fx;
    fx.file("top.txt", 1);
    fx.dir("b,one");
    fx.file("b,one/inner.txt", 2);
    fx.dir("b,one/deep");
    fx.file("b,one/deep/x", 3);
    fx.dir("a");
    fx.file("a/y", 4);
    const ListRun csv = Lister({"--format", "csv", "--recursive", fx.rootText()});
    ASSERT_EQ(csv.status, 0) << csv.err.constData();
    QStringList rows;
    for (const QStringList& row : test::CsvRows(csv.out).mid(1)) rows << row[0] + "|" + row[1];
    EXPECT_EQ(rows, QStringList({".|a", ".|b,one", ".|top.txt", "a|y", "b,one|deep",
                                 "b,one|inner.txt", "b,one/deep|x"}));

    const ListRun shallow = Lister({"--format", "json", "--depth", "1", fx.rootText()});
    QStringList folders;
    for (const QJsonValue& entry : test::JsonArray(shallow.out))
        folders << entry.toObject()[QStringLiteral("folder")].toString();
    EXPECT_EQ(folders, QStringList({".", ".", ".", "a", "b,one", "b,one"}));

    // As an ordinary user, for whom a folder without permissions cannot be read.
    fx.setMode("", 0755);
    fx.setMode("a", 0);
    QByteArrayList args{"--format", "json", "--recursive", fx.root()};
    const ListRun refused = test::RunList(args, -1, true);
    fx.setMode("a", 0755);
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "tabulist-list: cannot read " + fx.path("a") + ": File access denied\n");
    EXPECT_EQ(test::JsonArray(refused.out).size(), 6);  // a itself is listed, its y is not
}

}  // namespace
}  // namespace tabulist
