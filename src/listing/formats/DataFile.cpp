#include "listing/formats/DataFile.h"

#include <cerrno>

namespace tabulist {

namespace {

constexpr qsizetype BufferSize = 256 * 1024;

// Calls the writer, marking its failures as failed writes, not as a failed listing.
class GuardedWriter : public DataWriter {
public:
    GuardedWriter(DataWriter& writer, const QString& name, bool& failed)
        : writer_(writer), name_(name), failed_(failed) {}

    void begin(const ListingContext& context) override {
        guard([&] { writer_.begin(context); });
    }
    void folder(const QString& folder) override {
        guard([&] { writer_.folder(folder); });
    }
    void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                           const EntryChecksum& checksum) override {
        guard([&] { writer_.entryWithChecksum(folder, rec, checksum); });
    }
    void unreadable(const QString& folder, const QString& message) override {
        guard([&] { writer_.unreadable(folder, message); });
    }
    void end() override {
        guard([&] { writer_.end(); });
    }

private:
    template <typename Call>
    void guard(Call call) {
        try {
            call();
        } catch (const EDataWriteError& e) {
            failed_ = true;
            throw EDataWriteError(e.reason(), name_);
        }
    }

    DataWriter& writer_;
    const QString& name_;
    bool& failed_;
};

}  // namespace

DataFile::DataFile(const QString& name, DataFormat format, const DataOptions& options)
    : name_(name), format_(format), options_(options), file_(name) {}

void DataFile::fail(const QString& reason) {
    writeFailed_ = true;
    throw EDataWriteError(reason, name_);
}

void DataFile::open() {
    if (!file_.Open(false)) fail(EDataWriteError::reasonOf(file_.Error()));
    if (DataFormatOf(format_).binary && file_.TemporaryName().isEmpty()) {
        fail(QStringLiteral("%1 is written only to a regular file")
                 .arg(QString::fromLatin1(DataFormatOf(format_).name).toUpper()));
    }
}

void DataFile::writeOut() {
    if (!file_.Write(buffer_.constData(), buffer_.size()))
        fail(EDataWriteError::reasonOf(file_.Error()));
    buffer_.clear();
}

ListingResult DataFile::write(const ListingOptions& listing, const ListingHooks& hooks,
                              const ListingContext& context) {
    DataOutput output;
    if (DataFormatOf(format_).binary) {
        output.file = QString::fromLocal8Bit(file_.TemporaryName());
    } else {
        buffer_.reserve(BufferSize);
        output.bytes = [this](const QByteArray& bytes) {
            buffer_ += bytes;
            if (buffer_.size() >= BufferSize) writeOut();
        };
    }
    const std::unique_ptr<DataWriter> writer = DataFormatOf(format_).make(options_, output);
    GuardedWriter guarded(*writer, name_, writeFailed_);
    const ListingResult result =
        WriteListing(OptionsForFormat(listing, format_), context, guarded, hooks);
    if (result.abandoned) {
        file_.Discard();
        return result;
    }
    writeOut();
    if (!file_.Commit()) fail(EDataWriteError::reasonOf(file_.Error()));
    return result;
}

}  // namespace tabulist
