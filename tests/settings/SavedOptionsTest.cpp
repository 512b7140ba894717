#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <cstring>

#include "settings/SavedOptions.h"

namespace tabulist {
namespace {

QByteArray NameBytes(const TSavedOptions& record) {
    return QByteArray(reinterpret_cast<const char*>(record.FontName + 1), record.FontName[0]);
}

TEST(FontName, LongNamesAreCutAtACharacterBoundary) {
    TSavedOptions record{};
    const QString exact = QString(255, QLatin1Char('a'));
    record.setFontName(exact);
    EXPECT_EQ(record.fontName(), exact);

    record.setFontName(QString(300, QLatin1Char('b')));
    EXPECT_EQ(record.fontName(), QString(255, QLatin1Char('b')));

    // 127 two-byte characters fill 254 bytes; the 128th would need 256.
    const QString umlauts = QString(130, QChar(0x00E9));
    record.setFontName(umlauts);
    EXPECT_EQ(record.FontName[0], 254);
    EXPECT_EQ(record.fontName(), umlauts.left(127));

    // One byte and then four-byte characters: 1 + 63 * 4 = 253 bytes fit.
    QString emoji = QStringLiteral("x");
    for (int i = 0; i < 70; ++i) emoji += QString::fromUcs4(U"\U0001F600");
    record.setFontName(emoji);
    EXPECT_EQ(record.FontName[0], 253);
    EXPECT_EQ(NameBytes(record), emoji.toUtf8().left(253));

    const QString mixed = QStringLiteral("a") + QString(127, QChar(0x00E9));  // exactly 255 bytes
    record.setFontName(mixed);
    EXPECT_EQ(record.fontName(), mixed);
}

TEST(SavedOptions, StartsZeroAndTravelsThroughTheSettingsFile) {
    const TSavedOptions zero{};
    EXPECT_EQ(std::memcmp(&SavedOptions, &zero, sizeof zero), 0);
    EXPECT_FALSE(OptionsChanged);

    QTemporaryDir dir;
    EXPECT_EQ(SettingsPath(dir.path()), dir.path() + QStringLiteral("/Tabulist.sav"));
    EXPECT_EQ(SettingsPath(dir.path() + QLatin1Char('/')), SettingsPath(dir.path()));
    const QString path = SettingsPath(dir.path());
    SavedOptions.FooterTotalSize = 1;
    SavedOptions.setFontName(QStringLiteral("Courier"));
    StoreSavedOptions(path);
    SavedOptions = zero;
    LoadSavedOptions(path);
    EXPECT_EQ(SavedOptions.FooterTotalSize, 1);
    EXPECT_EQ(SavedOptions.fontName(), QStringLiteral("Courier"));
    SavedOptions = zero;
}

}  // namespace
}  // namespace tabulist
