// The HTML catalogue's page and data block as written; the page itself is tried in a browser
// by tests/cli/catalogue_browser_test.py.
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include "listing/formats/HtmlWriter.h"

namespace tabulist {
namespace {

TSearchRec Entry(const QByteArray& raw, int32_t attr, int64_t size) {
    TSearchRec rec;
    rec.RawName = raw;
    rec.Attr = attr;
    rec.Size = size;
    rec.ModifiedTime = 1'600'000'000;
    return rec;
}

struct Written {
    QByteArray page;
    QJsonObject data;
    QByteArray dataText;
};

// Writes a catalogue through events, as a listing sends them, and reads its data block back.
Written Write(const std::function<void(DataWriter&)>& events) {
    Written w;
    const auto writer = MakeHtmlWriter({}, {[&w](const QByteArray& b) { w.page += b; }, {}});
    writer->begin({QStringLiteral("/top/</script>"), QDateTime::currentDateTime(),
                   QStringLiteral("tabulist-list"), QStringLiteral("9.9"), std::nullopt});
    events(*writer);
    writer->end();
    const QByteArray open = R"(<script type="application/json" id="catalogue">)";
    const qsizetype start = w.page.indexOf(open) + open.size();
    w.dataText = w.page.mid(start, w.page.indexOf("</script>", start) - start);
    QJsonParseError error;
    w.data = QJsonDocument::fromJson(w.dataText, &error).object();
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return w;
}

TEST(HtmlWriter, DataBlockHoldsEveryNameAsTextThatCannotEndIt) {
    const Written w = Write([](DataWriter& writer) {
        writer.folder(QStringLiteral("."));
        writer.entry(QStringLiteral("."), Entry("</script><!--<b>\"q\"\\", AttrArchive, 5));
        writer.entry(QStringLiteral("."), Entry("bad\xff\xfe", AttrArchive | AttrReadOnly, 9));
        writer.entry(QStringLiteral("."), Entry("sub", AttrDirectory, 0));
        writer.entry(QStringLiteral("."), Entry("tab\tcaf\xc3\xa9\x01", AttrArchive, 7));
        // No folder event for "sub": its record still comes before its child's.
        writer.folder(QStringLiteral("sub/deep"));
        writer.unreadable(QStringLiteral("sub/deep"), QStringLiteral("File access denied"));
        writer.folder(QStringLiteral("sub/other"));
    });
    EXPECT_FALSE(w.dataText.contains('<'));
    EXPECT_EQ(w.data[u"path"].toString(), u"/top/</script>");
    EXPECT_EQ(w.data[u"version"].toString(), u"9.9");
    const QJsonArray folders = w.data[u"folders"].toArray();
    ASSERT_EQ(folders.size(), 4);
    const QJsonArray top = folders[0].toArray();
    EXPECT_EQ(top[0].toInt(), -1);
    const QJsonArray cells = top[2].toArray();
    const QStringList names = {cells[0].toString(), cells[4].toString(), cells[8].toString(),
                               cells[12].toString()};
    EXPECT_EQ(names, (QStringList{u"</script><!--<b>\"q\"\\"_qs, u"bad\ufffd\ufffd"_qs, u"sub"_qs,
                                  u"tab\tcaf\u00e9\u0001"_qs}));
    EXPECT_EQ(cells[2].toInteger(), 5);
    const QJsonArray kinds = w.data[u"kinds"].toArray();
    const auto kind = [&](int entry) { return kinds[cells[entry * 4 + 1].toInt()].toArray(); };
    EXPECT_EQ(kind(0), (QJsonArray{u"file"_qs, u"A"_qs}));
    EXPECT_EQ(kind(1), (QJsonArray{u"file"_qs, u"AR"_qs}));
    EXPECT_EQ(kind(2), (QJsonArray{u"directory"_qs, u""_qs}));
    EXPECT_EQ(cells[0 * 4 + 1], cells[3 * 4 + 1]);  // one kind for equal attributes
    EXPECT_EQ(folders[1].toArray(), (QJsonArray{0, u"sub"_qs, QJsonArray()}));
    EXPECT_EQ(folders[2].toArray(),
              (QJsonArray{1, u"deep"_qs, QJsonArray(), u"File access denied"_qs}));
    EXPECT_EQ(folders[3].toArray(), (QJsonArray{1, u"other"_qs, QJsonArray()}));
}

TEST(HtmlWriter, PageAllowsItsOwnScriptAndStyleOnlyAndHasATopFolderWhenEmpty) {
    const Written w = Write([](DataWriter&) {});
    EXPECT_EQ(w.data[u"folders"].toArray(), (QJsonArray{QJsonArray{-1, u""_qs, QJsonArray()}}));
    const QString page = QString::fromUtf8(w.page);
    const auto match =
        QRegularExpression(R"(Content-Security-Policy" content="default-src 'none'; )"
                           R"(script-src '([^']+)'; style-src '([^']+)'; base-uri 'none'; )"
                           R"(form-action 'none'")")
            .match(page);
    ASSERT_TRUE(match.hasMatch());
    const auto allowed = [](const QString& block) {
        return "sha256-" +
               QCryptographicHash::hash(block.toUtf8(), QCryptographicHash::Sha256).toBase64();
    };
    const qsizetype script = page.lastIndexOf(u"<script>") + 8;
    EXPECT_EQ(match.captured(1),
              allowed(page.mid(script, page.lastIndexOf(u"</script>") - script)));
    const qsizetype style = page.indexOf(u"<style>") + 7;
    EXPECT_EQ(match.captured(2), allowed(page.mid(style, page.indexOf(u"</style>") - style)));
    // Exactly one style block and two script elements, the data's and the page's.
    EXPECT_EQ(page.count(u"<style"), 1);
    EXPECT_EQ(page.count(u"<script"), 2);
    EXPECT_FALSE(page.contains(u"@DATA@") || page.contains(u"@SCRIPT@"));
}

}  // namespace
}  // namespace tabulist
