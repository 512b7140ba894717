#pragma once

#include "listing/DataWriter.h"

namespace tabulist {

// An Excel workbook, written in constant memory to DataOutput::file:
// - "Listing": folder, name, type, attributes, size (a number), modified (a local date-time
//   cell); a bold frozen header row with an auto filter, widths fitted to the text. Past
//   the rows a sheet holds it goes on in "Listing 2", "Listing 3", ...
// - "Folders": one row per folder listed, with its files, folders and size, of its own and
//   with everything below it, and why it could not be read. Only these small totals are
//   kept until the end.
// Every text is written as a string cell, so no name becomes a formula.
std::unique_ptr<DataWriter> MakeXlsxWriter(const DataOptions& options, const DataOutput& output);

// Entries on one listing sheet: the sheet's rows less the header; the environment variable
// TABULIST_XLSX_SHEET_ENTRIES sets fewer, for tests.
int64_t XlsxEntriesPerSheet();

}  // namespace tabulist
