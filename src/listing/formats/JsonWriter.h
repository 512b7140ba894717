#pragma once

#include "listing/DataWriter.h"

namespace tabulist {

// One JSON array of objects, one per entry and line (folder, name, type, attributes, size,
// modified); a name that is not valid UTF-8 carries U+FFFD for its bad bytes.
// text as a JSON string, quotes included.
void AppendJsonString(QByteArray& out, const QString& text);

std::unique_ptr<DataWriter> MakeJsonWriter(const DataOptions& options, const DataOutput& output);

}  // namespace tabulist
