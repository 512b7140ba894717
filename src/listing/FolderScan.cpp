// FolderScan: one folder's scan as the listing of a folder and of a tree read it.
#include "listing/FolderScan.h"

#include "listing/ReportLines.h"
#include "platform/Errors.h"

namespace tabulist {

FolderScan::FolderScan(const ListingOptions& options, const ListingHooks& hooks)
    : options_(options),
      hooks_(hooks),
      filter_(options),
      ticker_(hooks.activity),
      searchSpec_(SearchSpecFor(options.directory, options.maskText)),
      mask_(searchSpec_.mid(searchSpec_.lastIndexOf(QLatin1Char('/')) + 1)),
      textMask_(options.maskText.contains(QLatin1Char('/'))) {}

int FolderScan::open(const QByteArray& folder, const QString& spec) {
    if (folder.isEmpty() || textMask_)
        return OpenEntryScan(spec, AttrAny, rec_, options_.order, options_.fetch);
    return OpenEntryScan(folder, mask_, AttrAny, rec_, options_.order, options_.fetch);
}

void FolderScan::count(const QString& folder, ListingResult& counts, ListingResult* also) {
    for (ListingResult* c : {&counts, also}) {
        if (!c) continue;
        ++c->fileCount;
        c->totalSize += rec_.Size;
        if (rec_.Attr & AttrDirectory) ++c->dirCount;
    }
    if (rec_.MetadataError != 0) {
        const QString separator =
            folder.endsWith(QLatin1Char('/')) ? QString() : QStringLiteral("/");
        ReportUnreadable(hooks_, folder + separator + rec_.Name, rec_.MetadataError);
    }
}

bool ScanUnreadable(int code) {
    return code != 0 && code != ScanNothingFound && code != ScanNotAFolder &&
           code != ScanNoMoreFiles;
}

QString ReportUnreadable(const ListingHooks& hooks, const QString& folder, int code) {
    const QString message = EInOutError::messageFor(code);
    if (hooks.unreadableFolder) hooks.unreadableFolder(folder, message);
    return message;
}

void FinishReport(const ListingOptions& options, const ListingResult& counts, bool listedAny,
                  DriveFigures& drive, ListingSink& sink, const ListingHooks& hooks) {
    if (!listedAny) {
        // Columns end their body with a line, empty when nothing filled it.
        if (ColumnsChosen(options)) sink.appendLine(QString());
        sink.appendLine(QStringLiteral("no files founded"));
    }
    sink.appendLine(QString());
    WriteFooter(options, counts, drive, sink);
    Finished(hooks);
}

}  // namespace tabulist
