#pragma once

#include <QByteArray>
#include <functional>

#include "listing/ListingEngine.h"

namespace tabulist {

enum class DataFormat { Csv, Json };

struct DataOptions {
    DataFormat format = DataFormat::Csv;
    bool lf = false;  // CSV lines end with LF instead of CR LF
    // CSV for spreadsheets: a field beginning with "=", "+", "-", "@", TAB or CR gets a
    // leading apostrophe, so that a file name is never taken for a formula.
    bool protectFormulas = false;
};

// Hands on the bytes of a data listing as they are produced.
using ByteOut = std::function<void(const QByteArray& bytes)>;

// CSV (RFC 4180, a header row) or one JSON array of objects, one entry at a time.
class DataWriter : public EntrySink {
public:
    DataWriter(const DataOptions& options, ByteOut out) : options_(options), out_(std::move(out)) {}

    void begin();  // the header row, or the array's opening bracket
    void entry(const QString& folder, const TSearchRec& rec) override;
    void end();  // closes the array

private:
    DataOptions options_;
    ByteOut out_;
    bool any_ = false;
};

// Lists the entries as data. The JSON array is closed also when the listing fails half-way,
// so what was written stays valid; the error then propagates.
ListingResult WriteListingData(const ListingOptions& listing, const DataOptions& options,
                               const ByteOut& out, const ListingHooks& hooks = {});

}  // namespace tabulist
