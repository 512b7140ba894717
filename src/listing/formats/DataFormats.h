#pragma once

#include <QString>
#include <memory>
#include <span>

#include "listing/DataWriter.h"

namespace tabulist {

// The data formats. Adding one: its writer in a file of its own in this folder, a value
// here and its row in DataFormats.cpp; tabulist-list's --format, its usage text and the
// window's File > Export take it from the table.
enum class DataFormat { Csv, Json, Xlsx, Html, Sums };

// What a format takes from the listing options besides the entries; tabulist-list notes an
// option it ignores when the option is given explicitly.
enum DataHonours : unsigned {
    HonoursLineEnds = 1u << 0,     // --lf
    HonoursColumns = 1u << 1,      // --columns
    HonoursSizeUnit = 1u << 2,     // --unit
    HonoursReportLines = 1u << 3,  // header and footer lines
};

using MakeDataWriter = std::unique_ptr<DataWriter> (*)(const DataOptions& options,
                                                       const DataOutput& output);

struct DataFormatRow {
    DataFormat format;
    const char* name;    // tabulist-list's --format value
    const char* suffix;  // the file name's suffix, without the dot
    const char* filter;  // the export dialog's filter
    unsigned honours;    // DataHonours
    bool binary;         // written only to a file, through DataOutput::file
    MakeDataWriter make;
};

// The rows in the order of DataFormat, which is the order the choices are offered in.
std::span<const DataFormatRow> DataFormats();
const DataFormatRow& DataFormatOf(DataFormat format);
// The row named so (exactly) or with that suffix (in any case); null for none.
const DataFormatRow* DataFormatNamed(const QString& name);
const DataFormatRow* DataFormatWithSuffix(const QString& suffix);

// The listing options a format needs: a checksum list lists sha256 sums when the listing
// names no checksum.
ListingOptions OptionsForFormat(const ListingOptions& listing, DataFormat format);

// Lists the entries in a text format, handing its bytes to out.
ListingResult WriteListingData(const ListingOptions& listing, DataFormat format,
                               const DataOptions& options, const ByteOut& out,
                               const ListingHooks& hooks = {}, const ListingContext& context = {});

}  // namespace tabulist
