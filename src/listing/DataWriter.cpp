#include "listing/DataWriter.h"

#include <cstdio>

#include "listing/EntryRecord.h"

namespace tabulist {

namespace {

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

}  // namespace

void DataWriter::begin() {
    if (options_.format == DataFormat::Json) {
        out_(QByteArrayLiteral("["));
        return;
    }
    QByteArray header("folder,name,type,attributes,size,modified");
    header += options_.lf ? "\n" : "\r\n";
    out_(header);
}

void DataWriter::entry(const QString& folder, const TSearchRec& rec) {
    const EntryRecord record = MakeEntryRecord(folder, rec);
    QByteArray bytes;
    if (options_.format == DataFormat::Json) {
        bytes += any_ ? ",\n{\"folder\":" : "\n{\"folder\":";
        AppendJsonString(bytes, record.folder);
        bytes += ",\"name\":";
        AppendJsonString(bytes, record.name);
        bytes += ",\"type\":";
        AppendJsonString(bytes, record.type);
        if (!record.known) {
            bytes += ",\"attributes\":null,\"size\":null,\"modified\":null}";
        } else {
            bytes += ",\"attributes\":";
            AppendJsonString(bytes, record.attributes);
            bytes += ",\"size\":" + QByteArray::number(record.size) + ",\"modified\":";
            AppendJsonString(bytes, record.modified);
            bytes += '}';
        }
    } else {
        const bool protect = options_.protectFormulas;
        for (const QString* field :
             {&record.folder, &record.name, &record.type, &record.attributes}) {
            AppendCsvField(bytes, *field, protect);
            bytes += ',';
        }
        if (record.known) AppendCsvField(bytes, QString::number(record.size), protect);
        bytes += ',';
        if (record.known) AppendCsvField(bytes, record.modified, protect);
        bytes += options_.lf ? "\n" : "\r\n";
    }
    any_ = true;
    out_(bytes);
}

void DataWriter::end() {
    if (options_.format == DataFormat::Json) out_(any_ ? QByteArrayLiteral("\n]\n") : "]\n");
}

ListingResult WriteListingData(const ListingOptions& listing, const DataOptions& options,
                               const ByteOut& out, const ListingHooks& hooks) {
    DataWriter writer(options, out);
    writer.begin();
    ListingResult result;
    try {
        result = ListEntries(listing, writer, hooks);
    } catch (...) {
        try {
            writer.end();
        } catch (...) {
            // The listing's own error is the one to report.
        }
        throw;
    }
    writer.end();
    return result;
}

}  // namespace tabulist
