#include <gtest/gtest.h>

#include <QDateTime>
#include <QJsonObject>
#include <cstdlib>
#include <ctime>

#include "listing/formats/CsvWriter.h"
#include "listing/formats/DataFormats.h"
#include "platform/Errors.h"
#include "support/DataReadBack.h"
#include "support/Fixture.h"
#include "support/OnWindows.h"
#include "support/Unprivileged.h"

namespace tabulist {
namespace {

using test::Fixture;

ListingOptions OptionsFor(const Fixture& fx) {
    ListingOptions options;
    options.directory = fx.rootText();
    options.rawDirectory = fx.root();
    return options;
}

QByteArray Data(const ListingOptions& options, DataFormat format, const ListingHooks& hooks = {}) {
    QByteArray bytes;
    WriteListingData(
        options, format, {}, [&bytes](const QByteArray& b) { bytes += b; }, hooks);
    return bytes;
}

// The local time zone for one test, the previous one restored after it.
class Berlin : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "Windows takes its time zone from the system, not from TZ names";
#else
        if (const char* tz = std::getenv("TZ")) previous_ = tz;
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        if (previous_.isEmpty())
            unsetenv("TZ");
        else
            setenv("TZ", previous_.constData(), 1);
        tzset();
#endif
    }
    QByteArray previous_;
};

TEST_F(Berlin, ModifiedCarriesTheOffsetOfItsOwnDateAndIsNotClamped) {
    Fixture fx;
    const auto utc = [](int y, int mo, int d, int h, int mi, int s) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s), Qt::UTC);
    };
    fx.file("a-winter");
    fx.setTime("a-winter", utc(2021, 3, 28, 0, 59, 59));  // the last second before the change
    fx.file("b-summer");
    fx.setTime("b-summer", utc(2021, 3, 28, 1, 0, 0));
    fx.file("c-1975");
    fx.setTime("c-1975", utc(1975, 6, 15, 12, 0, 0));
    fx.file("d-1969");
    fx.setTime("d-1969", utc(1969, 7, 20, 20, 17, 40));
    const QJsonArray entries = test::JsonArray(Data(OptionsFor(fx), DataFormat::Json));
    QStringList modified;
    for (const QJsonValue& e : entries) modified << e.toObject().value("modified").toString();
    EXPECT_EQ(modified, QStringList({"2021-03-28T01:59:59+01:00", "2021-03-28T03:00:00+02:00",
                                     "1975-06-15T13:00:00+01:00", "1969-07-20T21:17:40+01:00"}));
}

TEST(DataWriter, AJsonListingThatFailsHalfWayIsStillAClosedArray) {
    Fixture fx;
    for (const char* name : {"a", "b", "c", "d"}) fx.file(name);
    int fetches = 0;
    ListingHooks hooks;
    // ".", ".." and two entries are fetched; the fifth fetch fails.
    hooks.processMessages = [&fetches] {
        if (++fetches == 5) throw EInOutError(5);
    };
    QByteArray bytes;
    EXPECT_THROW(WriteListingData(
                     OptionsFor(fx), DataFormat::Json, {},
                     [&bytes](const QByteArray& b) { bytes += b; }, hooks),
                 EInOutError);
    const QJsonArray entries = test::JsonArray(bytes);
    ASSERT_EQ(entries.size(), 2);
    EXPECT_EQ(entries[1].toObject().value("name").toString(), "b");
}

TEST(DataWriter, ProtectedCsvPrefixesFieldsASpreadsheetWouldTakeForFormulas) {
    SKIP_WITHOUT_DEBIAN_TOOL("python3");
    QByteArray bytes;
    const auto writer = MakeCsvWriter(DataOptions{false, true},
                                      {[&bytes](const QByteArray& b) { bytes += b; }, {}});
    writer->begin({});
    const QList<QByteArray> names = {"=1+2", "+x", "-y", "@z", "\tt", "\rr", "a=b", "plain"};
    for (const QByteArray& name : names) {
        TSearchRec rec;
        rec.RawName = name;
        rec.Attr = AttrArchive;
        rec.Size = 3;
        writer->entry(QStringLiteral("-dir"), rec);
    }
    writer->end();
    const QList<QStringList> rows = test::CsvRows(bytes);
    ASSERT_EQ(rows.size(), names.size() + 1);
    QStringList written, folders;
    for (qsizetype i = 1; i < rows.size(); ++i) {
        written << rows[i][1];
        folders << rows[i][0];
        EXPECT_EQ(rows[i].mid(2, 3), QStringList({"file", "A", "3"}));
    }
    EXPECT_EQ(written, QStringList({"'=1+2", "'+x", "'-y", "'@z", "'\tt", "'\rr", "a=b", "plain"}));
    EXPECT_EQ(folders, QStringList(names.size(), "'-dir"));
}

// What a catalogue writer is told: every folder as its section starts, empty ones too, its
// entries after it, and the folders that cannot be read. Run as an ordinary user: root reads
// every directory.
TEST(DataWriter, WritersHearEachFolderItsEntriesAndTheUnreadableOnes) {
    SKIP_ON_WINDOWS("needs an ordinary Linux user and permission bits");
    struct Events : EntrySink {
        QStringList seen;
        void folder(const QString& folder) override { seen << "[" + folder + "]"; }
        void entry(const QString& folder, const TSearchRec& rec) override {
            seen << folder + "/" + QString::fromUtf8(rec.RawName);
        }
        void unreadable(const QString& folder, const QString& message) override {
            seen << folder + ": " + message;
        }
    };
    Fixture fx;
    fx.file("a");
    for (const char* folder : {"b", "b/c", "d"}) fx.dir(folder);
    fx.file("b/c/x");
    fx.setMode("", 0755);
    fx.setMode("b/c", 0);
    ListingOptions options = OptionsFor(fx);
    options.fetch = {nullptr, SIZE_MAX};  // no pool threads: the child of a fork has none
    Events flat;
    ListEntries(options, flat);
    EXPECT_EQ(flat.seen, QStringList({"[.]", "./a", "./b", "./d"}));
    options.subfolders = true;
    EXPECT_TRUE(test::AsUnprivileged([&] {
        Events tree;
        ListEntries(options, tree);
        return tree.seen == QStringList({"[.]", "./a", "./b", "./d", "[b]", "b/c", "[b/c]",
                                         "b/c: File access denied", "[d]"});
    }));
}

}  // namespace
}  // namespace tabulist
