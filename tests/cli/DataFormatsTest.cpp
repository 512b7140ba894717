#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonObject>
#include <cstdlib>
#include <optional>

#include "support/DataReadBack.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
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
        SKIP_ON_WINDOWS("quotes, line breaks and bytes that are not UTF-8 in names are Linux's");
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
    SKIP_WITHOUT_DEBIAN_TOOL("python3");
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
    EXPECT_TRUE(
        usage.err.contains("invalid value 'xml' for --format (text, csv, json, xlsx, html, sums)"));
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
    SKIP_WITHOUT_DEBIAN_TOOL("python3");
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
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

// Environment variables for one test, the previous values restored after it.
class Environment {
public:
    void set(const char* name, const char* value) {
        saved_.push_back({name, std::getenv(name) ? std::optional<QByteArray>(std::getenv(name))
                                                  : std::nullopt});
        qputenv(name, value);
    }
    ~Environment() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            if (it->second)
                qputenv(it->first, *it->second);
            else
                qunsetenv(it->first);
        }
    }

private:
    std::vector<std::pair<const char*, std::optional<QByteArray>>> saved_;
};

// In a zone with summer time, a date cell holds the local time of its own date; the header
// is frozen and filtered on each sheet; the listing continues past the rows a sheet takes;
// names stay text, never formulas; the folders sheet adds up the tree.
TEST(Workbook, ReadsBackWithRealCellsOnSplitSheets) {
    Environment env;
    env.set("TZ", "Europe/Berlin");
    env.set("TABULIST_XLSX_SHEET_ENTRIES", "3");
    Fixture fx, out;
    fx.file("=1+2", 1234567);
    fx.file("summer", 5);
    fx.setTime("summer", QDateTime(QDate(2021, 7, 1), QTime(12, 0, 0), Qt::UTC));
    fx.file("winter");
    fx.setTime("winter", QDateTime(QDate(2021, 1, 15), QTime(12, 0, 30), Qt::UTC));
    fx.dir("sub");
    fx.file("sub/inner", 1000);
    // The last second of summer time.
    fx.setTime("sub/inner", QDateTime(QDate(2021, 10, 31), QTime(0, 59, 59), Qt::UTC));
    const QString file = out.pathText("book.xlsx");
    const ListRun run =
        Lister({"--format", "xlsx", "--recursive", "--output", file, fx.rootText()});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
    SKIP_WITHOUT_DEBIAN_TOOL("python3 and openpyxl");
    const QJsonArray sheets = test::XlsxSheets(file);
    ASSERT_EQ(sheets.size(), 3);
    QStringList titles, freezes, filters;
    QList<QStringList> rows;
    for (const QJsonValue& sheet : sheets) {
        const QJsonObject s = sheet.toObject();
        titles << s["title"].toString();
        freezes << s["freeze"].toString();
        filters << s["filter"].toString();
        for (const QJsonValue& row : s["rows"].toArray()) {
            QStringList cells;
            for (const QJsonValue& cell : row.toArray()) cells << cell.toString();
            rows << cells;
        }
    }
    EXPECT_EQ(titles, QStringList({"Listing", "Listing 2", "Folders"}));
    EXPECT_EQ(freezes, QStringList({"A2", "A2", "A2"}));
    EXPECT_EQ(filters, QStringList({"A1:F4", "A1:F3", "A1:H3"}));
    const QString n = "|#,##0", t = "|yyyy-mm-dd hh:mm:ss";
    const QStringList head = {"s:folder",     "s:name", "s:type",
                              "s:attributes", "s:size", "s:modified"};
    ASSERT_EQ(rows.size(), 10);
    EXPECT_EQ(rows[0], head);
    EXPECT_EQ(rows[1].mid(0, 5), QStringList({"s:.", "s:=1+2", "s:file", "s:A", "n:1234567" + n}));
    EXPECT_EQ(rows[2].mid(0, 5), QStringList({"s:.", "s:sub", "s:directory", "n:None", "n:0" + n}));
    EXPECT_EQ(rows[3].mid(4), QStringList({"n:5" + n, "d:2021-07-01T14:00:00" + t}));
    EXPECT_EQ(rows[4], head);
    EXPECT_EQ(rows[5].mid(1),
              QStringList({"s:winter", "s:file", "s:A", "n:0" + n, "d:2021-01-15T13:00:30" + t}));
    EXPECT_EQ(rows[6], QStringList({"s:sub", "s:inner", "s:file", "s:A", "n:1000" + n,
                                    "d:2021-10-31T02:59:59" + t}));
    EXPECT_EQ(rows[7].mid(0, 4), QStringList({"s:folder", "s:files", "s:folders", "s:size"}));
    EXPECT_EQ(rows[8].mid(0, 7), QStringList({"s:.", "n:3" + n, "n:1" + n, "n:1234572" + n,
                                              "n:4" + n, "n:1" + n, "n:1235572" + n}));
    EXPECT_EQ(rows[9].mid(0, 7), QStringList({"s:sub", "n:1" + n, "n:0" + n, "n:1000" + n,
                                              "n:1" + n, "n:0" + n, "n:1000" + n}));
    // Widths fitted to the text: the name column takes "=1+2" and the filter's button.
    EXPECT_GT(sheets[0].toObject()["widths"].toArray()[1].toDouble(), 5);
}

// --output replaces its file only with a complete listing: a write that fails half-way (the
// file-size limit reached) leaves the earlier file as it was and no temporary beside it; a
// complete one holds what standard output would have got.
TEST(OutputFile, FailedWriteLeavesTheEarlierFileAndNoTemporary) {
    SKIP_ON_WINDOWS("file-size limits are Linux's");
    Fixture fx, out;
    for (int i = 0; i < 300; ++i) fx.file("entry number " + QByteArray::number(i) + ".txt", i);
    for (const QString format : {"text", "csv", "json", "xlsx"}) {
        SCOPED_TRACE(format.toStdString());
        const QString file = out.pathText("listing." + format.toUtf8());
        QFile earlier(file);
        ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
        earlier.write("earlier");
        earlier.close();
        const QStringList args = {"--format", format, "--output", file, fx.rootText()};
        ListRun failed;
        {
            test::FileSizeLimit limit(4096);
            failed = Lister(args);
        }
        EXPECT_EQ(failed.status, 1);
        // The library behind the workbook says more, on lines of its own.
        EXPECT_EQ(QString::fromUtf8(failed.err).split('\n').filter("tabulist-list:"),
                  QStringList({"tabulist-list: cannot write '" + file + "': File too large"}));
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        EXPECT_EQ(earlier.readAll(), "earlier");
        earlier.close();
        EXPECT_EQ(QDir(out.rootText()).entryList(QDir::Files | QDir::Hidden),
                  QStringList({"listing." + format}));

        const ListRun written = Lister(args);
        EXPECT_EQ(written.status, 0) << written.err.toStdString();
        EXPECT_TRUE(written.out.isEmpty());
        ASSERT_TRUE(earlier.open(QIODevice::ReadOnly));
        const QByteArray bytes = earlier.readAll();
        earlier.close();
        if (format == "xlsx") {
            EXPECT_EQ(test::XlsxSheets(file)[0].toObject()["rows"].toArray().size(), 301);
        } else {
            EXPECT_EQ(bytes, Lister({"--format", format, fx.rootText()}).out);
        }
        QFile::remove(file);
    }
}

// A workbook is binary: never written to standard output. Options a data format ignores
// get a note each, once, and change nothing else.
TEST(OutputFile, WorkbookNeedsAFileAndIgnoredOptionsAreNoted) {
    Fixture fx;
    fx.file("a");
    const ListRun refused = Lister({"--format", "xlsx", fx.rootText()});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(
        refused.err.startsWith("tabulist-list: --format xlsx writes a binary file, not "
                               "to standard output: give the file with --output FILE\n"))
        << refused.err.toStdString();

    const ListRun plain = Lister({"--format", "json", fx.rootText()});
    const ListRun noted = Lister({"--format", "json", "--columns", "2", "--path", "--lf",
                                  "--columns=3", "--sort", "size", fx.rootText()});
    EXPECT_EQ(noted.status, 0);
    EXPECT_EQ(noted.out, plain.out);
    EXPECT_EQ(noted.err,
              "tabulist-list: note: --format json ignores --columns\n"
              "tabulist-list: note: --format json ignores --path\n"
              "tabulist-list: note: --format json ignores --lf\n");
    const ListRun csv = Lister({"--format", "csv", "--lf", "--unit", "kbytes", fx.rootText()});
    EXPECT_EQ(csv.err, "tabulist-list: note: --format csv ignores --unit\n");
}

}  // namespace
}  // namespace tabulist
