// The comparison with a catalogue as lines of text.
#include "listing/ComparisonReport.h"

#include <optional>

#include "listing/formats/CsvWriter.h"
#include "listing/formats/JsonWriter.h"
#include "platform/Entries.h"
#include "platform/NameCoding.h"

namespace tabulist {

namespace {

// As a listing shows a name: control characters, which would break the line, as "?".
QString Shown(const std::string& path) {
    return DisplayName(QByteArray(path.data(), qsizetype(path.size())));
}

QString Latin(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString Utf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

const char* KindName(Change::Kind kind) {
    switch (kind) {
        case Change::Kind::Added:
            return "added";
        case Change::Kind::Removed:
            return "removed";
        case Change::Kind::Changed:
            return "changed";
        case Change::Kind::Moved:
            break;
    }
    return "moved";
}

// The record's fields in order; null: does not apply.
std::vector<std::optional<QString>> Fields(const Change& c) {
    const bool before = c.kind != Change::Kind::Added;
    const bool after = c.kind != Change::Kind::Removed;
    QStringList differs;
    if (c.typeDiffers) differs << QStringLiteral("type");
    if (c.sizeDiffers) differs << QStringLiteral("size");
    if (c.modifiedDiffers) differs << QStringLiteral("modified");
    if (c.checksumDiffers) differs << QStringLiteral("checksum");
    using Field = std::optional<QString>;
    return {QString::fromLatin1(KindName(c.kind)),
            Utf8(c.path),
            c.kind == Change::Kind::Moved ? Field(Utf8(c.oldPath)) : std::nullopt,
            before ? Field(QLatin1String(EntryTypeName(c.oldType))) : std::nullopt,
            after ? Field(QLatin1String(EntryTypeName(c.newType))) : std::nullopt,
            before ? Field(QString::number(c.oldSize)) : std::nullopt,
            after ? Field(QString::number(c.newSize)) : std::nullopt,
            before ? Field(Latin(c.oldModified)) : std::nullopt,
            after ? Field(Latin(c.newModified)) : std::nullopt,
            c.kind == Change::Kind::Changed ? Field(differs.join(QLatin1Char(' '))) : std::nullopt};
}

const char* const FieldNames[] = {"change",   "path", "old_path",     "old_type", "type",
                                  "old_size", "size", "old_modified", "modified", "differs"};

}  // namespace

QByteArray ChangeRecords(const std::vector<Change>& changes, bool json, bool lf) {
    QByteArray out;
    const char* lineEnd = lf ? "\n" : "\r\n";
    if (!json) {
        for (const char* name : FieldNames) out += QByteArray(name) + ',';
        out.chop(1);
        out += lineEnd;
    } else {
        out += '[';
    }
    for (size_t i = 0; i < changes.size(); ++i) {
        const auto fields = Fields(changes[i]);
        if (json) out += i == 0 ? "\n{" : ",\n{";
        for (size_t f = 0; f < fields.size(); ++f) {
            if (json) {
                out += (f == 0 ? "\"" : ",\"") + QByteArray(FieldNames[f]) + "\":";
                const bool number = f == 5 || f == 6;
                if (!fields[f])
                    out += "null";
                else if (number)
                    out += fields[f]->toLatin1();
                else
                    AppendJsonString(out, *fields[f]);
            } else {
                if (f > 0) out += ',';
                if (fields[f]) AppendCsvField(out, *fields[f], false);
            }
        }
        out += json ? "}" : lineEnd;
    }
    if (json) out += changes.empty() ? "]\n" : "\n]\n";
    return out;
}

QString ChangeLine(const Change& change) {
    switch (change.kind) {
        case Change::Kind::Added:
            return QLatin1String("added: ") + Shown(change.path);
        case Change::Kind::Removed:
            return QLatin1String("removed: ") + Shown(change.path);
        case Change::Kind::Moved:
            return QLatin1String("moved: ") + Shown(change.oldPath) + QLatin1String(" -> ") +
                   Shown(change.path);
        case Change::Kind::Changed:
            break;
    }
    QStringList what;
    if (change.typeDiffers)
        what << QStringLiteral("type %1 -> %2")
                    .arg(QLatin1String(EntryTypeName(change.oldType)),
                         QLatin1String(EntryTypeName(change.newType)));
    if (change.sizeDiffers)
        what << QStringLiteral("size %1 -> %2").arg(change.oldSize).arg(change.newSize);
    if (change.modifiedDiffers)
        what << QStringLiteral("modified %1 -> %2")
                    .arg(Latin(change.oldModified), Latin(change.newModified));
    if (change.checksumDiffers) what << QStringLiteral("checksum differs");
    return QLatin1String("changed: ") + Shown(change.path) + QLatin1String(" (") +
           what.join(QLatin1String(", ")) + QLatin1Char(')');
}

QString ChangeSummary(const ChangeCounts& counts) {
    return QStringLiteral("%1 added, %2 removed, %3 changed, %4 moved")
        .arg(counts.added)
        .arg(counts.removed)
        .arg(counts.changed)
        .arg(counts.moved);
}

void WriteChangeLines(const std::vector<Change>& changes, ListingSink& sink) {
    sink.clear();
    for (const Change& change : changes) sink.appendLine(ChangeLine(change));
    sink.appendLine(ChangeSummary(CountChanges(changes)));
}

}  // namespace tabulist
