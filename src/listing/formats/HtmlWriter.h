#pragma once

#include "listing/DataWriter.h"

namespace tabulist {

// One self-contained HTML page that browses and searches the listing: folder tree, tables,
// search, all offline. The page's parts are the files in catalogue/, built in; the entries
// follow as one JSON data block (shape in HtmlWriter.cpp), written as they come.
std::unique_ptr<DataWriter> MakeHtmlWriter(const DataOptions& options, const DataOutput& output);

}  // namespace tabulist
