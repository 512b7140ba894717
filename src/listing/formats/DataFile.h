#pragma once

#include <QByteArray>
#include <QString>

#include "listing/formats/DataFormats.h"
#include "platform/ReplacementFile.h"

namespace tabulist {

// A data listing written to a file: the name gets the complete listing, or keeps what it had
// when the listing fails, is abandoned or cannot be written (see ReplacementFile). A text
// format writes through the replacement file; a binary one writes its temporary by name.
class DataFile {
public:
    DataFile(const QString& name, DataFormat format, const DataOptions& options);

    // Throws EDataWriteError when the file cannot be created, or, for a binary format, is
    // not a regular file (a pipe or a device).
    void open();
    // The temporary being written, empty when there is none; for a clean-up on a signal.
    QByteArray temporaryName() const { return file_.TemporaryName(); }
    // Lists into the file and, unless the listing was abandoned, makes it the file under its
    // name. A failed write throws EDataWriteError naming the file (writeFailed() then tells
    // it from a failed listing, whose error propagates as it is).
    ListingResult write(const ListingOptions& listing, const ListingHooks& hooks,
                        const ListingContext& context);
    bool writeFailed() const { return writeFailed_; }

private:
    [[noreturn]] void fail(const QString& reason);
    void writeOut();

    QString name_;
    DataFormat format_;
    DataOptions options_;
    ReplacementFile file_;
    QByteArray buffer_;
    bool writeFailed_ = false;
};

}  // namespace tabulist
