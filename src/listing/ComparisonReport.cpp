// The comparison with a catalogue as lines of text.
#include "listing/ComparisonReport.h"

#include "platform/Entries.h"

namespace tabulist {

namespace {

// As a listing shows a name: control characters, which would break the line, as "?".
QString Shown(const std::string& path) {
    return DisplayName(QByteArray(path.data(), qsizetype(path.size())));
}

QString Latin(const std::string& text) {
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

}  // namespace

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
