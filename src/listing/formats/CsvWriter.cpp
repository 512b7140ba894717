#include "listing/formats/CsvWriter.h"

#include "listing/EntryRecord.h"

namespace tabulist {

void AppendCsvField(QByteArray& line, const QString& text, bool protectFormulas) {
    QByteArray field = text.toUtf8();
    if (protectFormulas && !field.isEmpty() && QByteArrayView("=+-@\t\r").contains(field[0]))
        field.prepend('\'');
    const bool quoted =
        field.contains(',') || field.contains('"') || field.contains('\r') || field.contains('\n');
    if (!quoted) {
        line += field;
        return;
    }
    line += '"';
    line += field.replace("\"", "\"\"");
    line += '"';
}

namespace {

class CsvWriter : public DataWriter {
public:
    CsvWriter(const DataOptions& options, ByteOut out)
        : out_(std::move(out)),
          lineEnd_(options.lf ? "\n" : "\r\n"),
          protect_(options.protectFormulas) {}

    void begin(const ListingContext& context) override {
        checksum_ = context.checksum;
        QByteArray header("folder,name,type,attributes,size,modified");
        if (checksum_) header += ',' + ChecksumName(*checksum_).toLatin1();
        out_(header + lineEnd_);
    }

    void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                           const EntryChecksum& checksum) override {
        const EntryRecord record = MakeEntryRecord(folder, rec);
        QByteArray bytes;
        for (const QString* field :
             {&record.folder, &record.name, &record.type, &record.attributes}) {
            AppendCsvField(bytes, *field, protect_);
            bytes += ',';
        }
        // What could not be read stays empty.
        if (record.known) AppendCsvField(bytes, QString::number(record.size), protect_);
        bytes += ',';
        if (record.known) AppendCsvField(bytes, record.modified, protect_);
        if (checksum_) bytes += ',' + checksum.text;
        bytes += lineEnd_;
        out_(bytes);
    }

    void end() override {}

private:
    ByteOut out_;
    const char* lineEnd_;
    bool protect_;
    std::optional<ChecksumAlgorithm> checksum_;
};

}  // namespace

std::unique_ptr<DataWriter> MakeCsvWriter(const DataOptions& options, const DataOutput& output) {
    return std::make_unique<CsvWriter>(options, output.bytes);
}

}  // namespace tabulist
