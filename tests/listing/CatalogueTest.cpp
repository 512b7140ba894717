#include <gtest/gtest.h>

#include <QFile>

#include "listing/Catalogue.h"
#include "support/Fixture.h"

namespace tabulist {
namespace {

QString ErrorOf(const QByteArray& json) {
    try {
        Catalogue::parse(json, "c.json");
    } catch (const CatalogueError& e) {
        return e.message();
    }
    return QStringLiteral("no error");
}

const QByteArray Entry =
    R"({"folder":".","name":"a","type":"file","attributes":"A","size":1,"modified":"2026-01-02T03:04:05+01:00"})";

// Every damaged catalogue is refused with a message that names the fault and where.
TEST(Catalogue, DamagedOnesAreRefusedWithTheirFault) {
    const struct {
        QByteArray json;
        QString message;
    } cases[] = {
        {"", "catalogue 'c.json' is empty"},
        {" \r\n\t", "catalogue 'c.json' is empty"},
        {"[" + Entry,
         "catalogue 'c.json' is truncated: it ends before the closing ']' (line 1, column 106)"},
        {"[" + Entry.left(40),
         "catalogue 'c.json' is truncated: it ends inside a text (line 1, column 42)"},
        {"[" + Entry + ",",
         "catalogue 'c.json' is truncated: it ends after a ',' (line 1, column 107)"},
        {"[\n{\"folder\"",
         "catalogue 'c.json' is truncated: it ends after a key (line 2, column 10)"},
        {"[{\"size\":12",
         "catalogue 'c.json' is truncated: it ends before the closing '}' (line 1, column 12)"},
        {"[{\"size\":-",
         "catalogue 'c.json' is truncated: it ends inside a number (line 1, column 11)"},
        {"[tru", "catalogue 'c.json' is truncated: it ends inside true (line 1, column 5)"},
        {"folder,name\n", "catalogue 'c.json' is not JSON: an unexpected 'o' at line 1, column 2"},
        {"[\n  {\"a\" 1}]",
         "catalogue 'c.json' is not JSON: an unexpected '1' after a key at line 2, column 8"},
        {"[1,]", "catalogue 'c.json' is not JSON: an unexpected ']' at line 1, column 4"},
        {"[\"a\nb\"]",
         "catalogue 'c.json' is not JSON: a control character in a text at line 1, column 4"},
        {"[] x",
         "catalogue 'c.json' is not JSON: more after the end of the JSON value at line 1, column "
         "4"},
        {"[01]", "catalogue 'c.json' is not JSON: an unexpected '1' at line 1, column 3"},
        {"[\"\\x\"]", "catalogue 'c.json' is not JSON: a bad escape in a text at line 1, column 5"},
        // JSON of another shape; JSON that is broken as well says so first.
        {R"({"entries":[]})",
         "'c.json' is not a catalogue of tabulist-list --format json: it is not an array of "
         "entries"},
        {R"({"entries":[})",
         "catalogue 'c.json' is not JSON: an unexpected '}' at line 1, column 13"},
        {"[1]",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1 is a number, not an "
         "object"},
        {"[" + Entry + ",[]]",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 2 is an array, not an "
         "object"},
        {R"([{"folder":".","name":"a"}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1 has no \"type\""},
        {R"([{"name":7}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1: \"name\" is a "
         "number, not a text"},
        {R"([{"size":1.5}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1: \"size\" is not a "
         "whole number of bytes"},
        {R"([{"size":99999999999999999999}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1: \"size\" is not a "
         "whole number of bytes"},
        {R"([{"modified":"yesterday"}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1: \"modified\" is not "
         "a date and time"},
        {R"([{"type":"link"}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1: unknown type "
         "\"link\""},
        {R"([{"md5":"ABC"}])",
         "'c.json' is not a catalogue of tabulist-list --format json: entry 1: \"md5\" is not a "
         "checksum of the catalogue's kind"},
        {"[{\"later\":" + QByteArray(10000, '['),
         "'c.json' is not a catalogue of tabulist-list --format json: values nested more than 4096 "
         "deep"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ErrorOf(c.json).toStdString(), c.message.toStdString())
            << c.json.left(80).toStdString();
}

// 100 MB on one line, read from a file a piece at a time: a text too long to be a path, and
// plain noise, each refused without holding the whole.
TEST(Catalogue, HundredMegabytesOfOneLine) {
    test::Fixture fx;
    const qsizetype size = 100 << 20;
    QByteArray text = "[{\"folder\":\"" + QByteArray(size, 'x') + "\"}]";
    test::WriteFile(fx.pathText("text.json"), text);
    text.fill('x');
    test::WriteFile(fx.pathText("noise.json"), text);
    text.clear();
    const auto error = [&](const char* name) {
        try {
            Catalogue::read(fx.pathText(name));
        } catch (const CatalogueError& e) {
            return e.message().remove(fx.pathText(name));
        }
        return QStringLiteral("no error");
    };
    EXPECT_EQ(error("text.json"),
              "'' is not a catalogue of tabulist-list --format json: entry 1: \"folder\" is a "
              "text, not a text of at most 1 MiB");
    EXPECT_EQ(error("noise.json"),
              "catalogue '' is not JSON: an unexpected 'x' at line 1, column 1");
    // The reason is the system's own text ("File not found." under Wine).
#ifdef _WIN32
    EXPECT_TRUE(error("missing.json").startsWith("cannot read catalogue '': "));
#else
    EXPECT_EQ(error("missing.json"), "cannot read catalogue '': No such file or directory");
#endif
}

TEST(Catalogue, ReadsPathsTimesChecksumsAndPassesOverLaterFields) {
    const Catalogue catalogue = Catalogue::parse("[\n" + Entry + R"(,
{"folder":"sub/d\u00e9","name":"q\"\\\n\ud83d\ude00\ud800x","type":"directory","size":0,"modified":"1999-12-31T23:59:59-05:30","later":{"a":[1,{"b":null}]},"flag":true}
])",
                                                 "c.json");
    ASSERT_EQ(catalogue.entries().size(), 2u);
    const Catalogue::Entry& a = catalogue.entries()[0];
    EXPECT_EQ(a.path(), "a");
    EXPECT_EQ(a.type, EntryType::File);
    EXPECT_EQ(a.size, 1);
    EXPECT_EQ(a.modified, 1767319445);
    EXPECT_EQ(a.modifiedText(), "2026-01-02T03:04:05+01:00");
    const Catalogue::Entry& b = catalogue.entries()[1];
    EXPECT_EQ(b.path(), "sub/d\xc3\xa9/q\"\\\n\xf0\x9f\x98\x80\xef\xbf\xbdx");
    EXPECT_EQ(b.type, EntryType::Directory);
    EXPECT_EQ(b.modified, 946684799 + 5 * 3600 + 1800);
    EXPECT_FALSE(catalogue.checksum());

    const Catalogue sums = Catalogue::parse(
        R"([{"folder":".","name":"a","type":"file","size":1,"modified":"2026-01-02T03:04:05Z","xxh128":"0123456789abcdef0123456789abcdef"},
            {"folder":".","name":"b","type":"directory","size":0,"modified":"2026-01-02T03:04:05Z","xxh128":""}])",
        "c.json");
    EXPECT_EQ(sums.checksum(), ChecksumAlgorithm::Xxh128);
    EXPECT_EQ(sums.entries()[0].checksum(), "0123456789abcdef0123456789abcdef");
    EXPECT_EQ(sums.entries()[1].checksum(), "");
    EXPECT_EQ(sums.entries()[0].modified, 1767323045);
    EXPECT_TRUE(Catalogue::parse("[]", "c.json").entries().empty());
}

}  // namespace
}  // namespace tabulist
