// The table of data formats: one row per format, in the order of DataFormat.
#include "listing/formats/DataFormats.h"

#include <stdexcept>

#include "listing/formats/CsvWriter.h"
#include "listing/formats/HtmlWriter.h"
#include "listing/formats/JsonWriter.h"
#include "listing/formats/SumsWriter.h"
#include "listing/formats/XlsxWriter.h"

namespace tabulist {

namespace {

constexpr DataFormatRow Rows[] = {
    {DataFormat::Csv, "csv", "csv", "CSV file (*.csv)", HonoursLineEnds, false, MakeCsvWriter},
    {DataFormat::Json, "json", "json", "JSON file (*.json)", 0, false, MakeJsonWriter},
    {DataFormat::Xlsx, "xlsx", "xlsx", "Excel workbook (*.xlsx)", 0, true, MakeXlsxWriter},
    {DataFormat::Html, "html", "html", "HTML catalogue (*.html)", 0, false, MakeHtmlWriter},
    {DataFormat::Sums, "sums", "sums", "Checksum list (*.sums)", 0, false, MakeSumsWriter},
};

constexpr bool RowsInEnumOrder() {
    for (size_t i = 0; i < std::size(Rows); ++i)
        if (size_t(Rows[i].format) != i) return false;
    return true;
}
static_assert(RowsInEnumOrder(), "a row for each DataFormat, in its order");

}  // namespace

std::span<const DataFormatRow> DataFormats() { return Rows; }

const DataFormatRow& DataFormatOf(DataFormat format) {
    // No default: the compiler names a format left out.
    switch (format) {
        case DataFormat::Csv:
        case DataFormat::Json:
        case DataFormat::Xlsx:
        case DataFormat::Html:
        case DataFormat::Sums:
            break;
    }
    if (size_t(format) >= std::size(Rows)) throw std::logic_error("a data format without a row");
    return Rows[size_t(format)];
}

const DataFormatRow* DataFormatNamed(const QString& name) {
    for (const DataFormatRow& row : Rows)
        if (name == QLatin1String(row.name)) return &row;
    return nullptr;
}

const DataFormatRow* DataFormatWithSuffix(const QString& suffix) {
    for (const DataFormatRow& row : Rows)
        if (suffix.compare(QLatin1String(row.suffix), Qt::CaseInsensitive) == 0) return &row;
    return nullptr;
}

ListingOptions OptionsForFormat(const ListingOptions& listing, DataFormat format) {
    ListingOptions options = listing;
    if (format == DataFormat::Sums && !options.checksum)
        options.checksum = ChecksumAlgorithm::Sha256;
    return options;
}

ListingResult WriteListingData(const ListingOptions& listing, DataFormat format,
                               const DataOptions& options, const ByteOut& out,
                               const ListingHooks& hooks, const ListingContext& context) {
    const std::unique_ptr<DataWriter> writer = DataFormatOf(format).make(options, {out, {}});
    return WriteListing(OptionsForFormat(listing, format), context, *writer, hooks);
}

}  // namespace tabulist
