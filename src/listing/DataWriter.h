#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>

#include "listing/ListingEngine.h"
#include "platform/Errors.h"

namespace tabulist {

// Hands on the bytes of a data listing as they are produced.
using ByteOut = std::function<void(const QByteArray& bytes)>;

// Where a writer puts what it makes: a text format hands its bytes to `bytes`; a binary
// format, whose library writes a file itself, writes the file named `file` (the replacement
// file's temporary, which takes the chosen name once the listing is complete).
struct DataOutput {
    ByteOut bytes;
    QString file;
};

// Settings of the data formats; each format reads those its table row says it honours.
struct DataOptions {
    bool lf = false;  // CSV lines end with LF instead of CR LF
    // For spreadsheets: a CSV field beginning with "=", "+", "-", "@", TAB or CR gets a
    // leading apostrophe, so that a file name is never taken for a formula.
    bool protectFormulas = false;
};

// What a catalogue says about the listing it holds, in its title.
struct ListingContext {
    QString directory;  // the starting path, as the listing shows it
    QDateTime made;     // when the listing was made
    QString program;    // "tabulist-list" or "Tabulist"
    QString version;
    // The listing's checksum (WriteListing sets it): a field named after the algorithm.
    std::optional<ChecksumAlgorithm> checksum;
};

// One data format's writer. A listing calls, in this order:
//   begin(context)
//   for each folder listed, "." first, depth first in the listing's order:
//     folder(f), then entry(f, rec) for each of f's entries, or unreadable(f, message)
//   end()
// end() comes also when the listing fails half-way (the error then propagates), so that
// what was written stays well-formed. A writer reports its own failures by throwing a
// TabulistError (platform/Errors.h). Writers are made by the format table
// (listing/formats/DataFormats.h); see CsvWriter for the smallest one.
class DataWriter : public EntrySink {
public:
    virtual void begin(const ListingContext& context) = 0;
    // A writer that carries checksums overrides entryWithChecksum alone: without them each
    // entry comes to it with none.
    void entry(const QString& folder, const TSearchRec& rec) override {
        entryWithChecksum(folder, rec, {});
    }
    virtual void end() = 0;
};

// A writer that cannot write its output, with the reason (the system's text for an errno
// value); the file is named when known.
class EDataWriteError : public TabulistError {
public:
    explicit EDataWriteError(const QString& reason, const QString& file = {});
    static QString reasonOf(int err);  // the system's text for an errno value
    QString reason() const { return reason_; }

private:
    QString reason_;
};

// Runs the listing into the writer, begin to end.
ListingResult WriteListing(const ListingOptions& listing, const ListingContext& context,
                           DataWriter& writer, const ListingHooks& hooks = {});

}  // namespace tabulist
