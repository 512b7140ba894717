// File > Compare with catalogue: a JSON catalogue made earlier against the listed folder as
// the window's options list it now. The report replaces the text as a listing does, so it
// can be saved, printed and undone; a stopped comparison leaves the text as it was.
#include <QFileDialog>
#include <QFileInfo>

#include "forms/Hauptfenster/BusyRun.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"
#include "listing/Catalogue.h"
#include "listing/Comparison.h"
#include "listing/ComparisonReport.h"

namespace tabulist {

namespace {

QString ChooseCatalogue(QWidget* parent, const QString& proposedName, int helpContext) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("CompareDialog"));
    dialog.setWindowTitle(QStringLiteral("Compare with catalogue"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setNameFilters(
        {QStringLiteral("JSON catalogue (*.json)"), QStringLiteral("All files (*)")});
    if (!proposedName.isEmpty()) dialog.selectFile(proposedName);
    OfferHelp(&dialog, helpContext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

class LineList : public ListingSink {
public:
    void clear() override { lines.clear(); }
    void appendLine(const QString& line) override { lines << line; }
    QStringList lines;
};

}  // namespace

void THaupt::CompareItemClick() {
    const QString name = ChooseCatalogue(this, catalogueFileName_,
                                         CompareItem->property(HelpContextProperty).toInt());
    if (name.isEmpty()) return;
    catalogueFileName_ = name;
    StatusBar1->SetPanelText(1, QStringLiteral("reading the catalogue ..."));
    StatusBar1->repaint();
    Catalogue catalogue;
    try {
        catalogue = Catalogue::read(name);
    } catch (...) {
        StatusBar1->SetPanelText(1, QString());
        throw;
    }
    ListingOptions options = GatherOptions(listedDirectory_);
    options.rawDirectory = listedRawDirectory_;
    options.checksum = catalogue.checksum();  // the catalogue's field says which

    CatalogueComparison comparison(catalogue);
    QStringList unreadable;
    {
        BusyRun run(StatusBar1, QStringLiteral("comparing"));
        ListEntries(options, comparison, run.hooks());
        run.clearPanels();
        if (run.stopped()) return;
        unreadable = run.unreadable();
    }
    const std::vector<Change> changes = comparison.finish();
    LineList report;
    WriteChangeLines(changes, report);
    // What could not be read comes first: nothing below it is reported as removed.
    Memo1->BeginListing();
    Memo1->AppendLines(unreadable + report.lines);
    Memo1->EndListing();
    // The busy panel is narrow: it takes the total, the wide one what the report compared.
    const ChangeCounts counts = CountChanges(changes);
    StatusBar1->SetPanelText(1, counts.total() == 0 ? QStringLiteral("no changes")
                                : counts.total() == 1
                                    ? QStringLiteral("1 change")
                                    : QStringLiteral("%L1 changes").arg(counts.total()));
    StatusBar1->SetPanelText(3, QStringLiteral("compared with %1: %2")
                                    .arg(QFileInfo(name).fileName(), ChangeSummary(counts)));
}

}  // namespace tabulist
