#pragma once

#include "listing/DataWriter.h"

namespace tabulist {

// CSV after RFC 4180: a header row, then one row per entry (folder, name, type,
// attributes, size, modified), lines ended by CR LF or, asked for, LF.
std::unique_ptr<DataWriter> MakeCsvWriter(const DataOptions& options, const DataOutput& output);

}  // namespace tabulist
