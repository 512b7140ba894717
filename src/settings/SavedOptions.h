#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

namespace tabulist {

// The options record; its 296 bytes, as they lie in memory, are the settings file.
// Integers are little-endian; flags are one byte, any non-zero byte is on.
struct TSavedOptions {
    uint8_t HeaderDriveName;     // 0
    uint8_t HeaderDriveInfo;     // 1
    uint8_t HeaderDrivePercent;  // 2
    uint8_t HeaderPath;          // 3
    uint8_t FooterFileCount;     // 4
    uint8_t FooterPercent;       // 5
    uint8_t FooterTotalSize;     // 6
    uint8_t ShowAttributes;      // 7
    uint8_t ShowSize;            // 8
    uint8_t ShowDate;            // 9
    uint8_t ShowUnit;            // 10
    uint8_t ShowHidden;          // 11
    uint8_t ShowSearchOptions;   // 12
    uint8_t DriveInfoUnit;       // 13: 0..3 Bytes, KBytes, MBytes, GBytes
    uint8_t TotalSizeUnit;       // 14
    uint8_t ColumnIndex;         // 15: 0..5; 255 for no selection
    uint8_t SizeUnitIndex;       // 16: 0..3
    uint8_t FontName[256];       // 17: length byte, then the name (UTF-8)
    uint8_t Gap1[3];             // 273
    int32_t FontColor;           // 276: 0x00BBGGRR or 0x80000000 + system colour index
    int32_t FontHeight;          // 280: pixels; negative: character height
    int32_t FontSize;            // 284: points
    uint8_t FontStyle;           // 288: bit 0 bold, 1 italic, 2 underline, 3 strike-out
    uint8_t Gap2[3];             // 289
    int32_t BackgroundColor;     // 292

    QString fontName() const;
    // Stores name as UTF-8, cut at the last whole character that fits in 255 bytes.
    void setFontName(const QString& name);
};

static_assert(sizeof(TSavedOptions) == 296);
static_assert(offsetof(TSavedOptions, DriveInfoUnit) == 13);
static_assert(offsetof(TSavedOptions, ColumnIndex) == 15);
static_assert(offsetof(TSavedOptions, FontName) == 17);
static_assert(offsetof(TSavedOptions, Gap1) == 273);
static_assert(offsetof(TSavedOptions, FontColor) == 276);
static_assert(offsetof(TSavedOptions, FontHeight) == 280);
static_assert(offsetof(TSavedOptions, FontSize) == 284);
static_assert(offsetof(TSavedOptions, FontStyle) == 288);
static_assert(offsetof(TSavedOptions, Gap2) == 289);
static_assert(offsetof(TSavedOptions, BackgroundColor) == 292);

// The one record of the run; all zero at program start.
extern TSavedOptions SavedOptions;

// Set by option changes that are to be remembered; read on exit.
extern bool OptionsChanged;

// The settings file beside the program: programDirectory + "Tabulist.sav".
QString SettingsPath(const QString& programDirectory);

// Opens the existing file for reading and writing, reads one record into SavedOptions.
// Throws EInOutError ("File not found", "File access denied", "Read beyond end of file", ...).
void LoadSavedOptions(const QString& path);
// Writes SavedOptions to a temporary file beside path and renames it over path.
// Throws EInOutError; a failed store leaves the previous file as it was.
void StoreSavedOptions(const QString& path);

}  // namespace tabulist
