#include "listing/formats/JsonWriter.h"

#include <cstdio>

#include "listing/EntryRecord.h"

namespace tabulist {

void AppendJsonString(QByteArray& out, const QString& text) {
    out += '"';
    for (const char c : text.toUtf8()) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    out += '"';
}

namespace {

class JsonWriter : public DataWriter {
public:
    explicit JsonWriter(ByteOut out) : out_(std::move(out)) {}

    void begin(const ListingContext& context) override {
        checksum_ = context.checksum;
        out_(QByteArrayLiteral("["));
    }

    void entryWithChecksum(const QString& folder, const TSearchRec& rec,
                           const EntryChecksum& checksum) override {
        const EntryRecord record = MakeEntryRecord(folder, rec);
        QByteArray bytes;
        bytes += any_ ? ",\n{\"folder\":" : "\n{\"folder\":";
        AppendJsonString(bytes, record.folder);
        bytes += ",\"name\":";
        AppendJsonString(bytes, record.name);
        bytes += ",\"type\":";
        AppendJsonString(bytes, record.type);
        if (!record.known) {
            // What could not be read is null.
            bytes += ",\"attributes\":null,\"size\":null,\"modified\":null";
        } else {
            bytes += ",\"attributes\":";
            AppendJsonString(bytes, record.attributes);
            bytes += ",\"size\":" + QByteArray::number(record.size) + ",\"modified\":";
            AppendJsonString(bytes, record.modified);
        }
        if (checksum_)
            bytes += ",\"" + ChecksumName(*checksum_).toLatin1() + "\":\"" + checksum.text + '"';
        bytes += '}';
        any_ = true;
        out_(bytes);
    }

    void end() override { out_(any_ ? QByteArrayLiteral("\n]\n") : "]\n"); }

private:
    ByteOut out_;
    bool any_ = false;
    std::optional<ChecksumAlgorithm> checksum_;
};

}  // namespace

std::unique_ptr<DataWriter> MakeJsonWriter(const DataOptions&, const DataOutput& output) {
    return std::make_unique<JsonWriter>(output.bytes);
}

}  // namespace tabulist
