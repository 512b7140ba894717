#pragma once

#include "listing/DataWriter.h"

namespace tabulist {

// CSV after RFC 4180: a header row, then one row per entry (folder, name, type,
// attributes, size, modified), lines ended by CR LF or, asked for, LF.
// One field, quoted when it holds a comma, a quote or a line end; protectFormulas: a leading
// apostrophe before "=", "+", "-", "@", TAB or CR.
void AppendCsvField(QByteArray& line, const QString& text, bool protectFormulas);

std::unique_ptr<DataWriter> MakeCsvWriter(const DataOptions& options, const DataOutput& output);

}  // namespace tabulist
