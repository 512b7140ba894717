// Menu items beyond the original window: exporting the listing as data, and its order.
#include <QActionGroup>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMessageBox>

#include "forms/Hauptfenster/BusyRun.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"
#include "listing/formats/DataFile.h"
#include "listing/formats/DataFormats.h"
#include "output/OutputErrors.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"

namespace tabulist {

namespace {

constexpr int ExportHelpContext = 10;
constexpr int CompareHelpContext = 11;

struct ExportChoice {
    QString fileName;  // empty when cancelled
    DataFormat format = DataFormat::Csv;
    std::optional<ChecksumAlgorithm> checksum;
};

// Below the file type, a choice of checksums for the files: none, or one of the algorithms
// by the name their field gets. A checksum list needs one and starts at the first.
QComboBox* AddChecksumChoice(QFileDialog& dialog, std::optional<ChecksumAlgorithm> chosen) {
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    auto* box = new QComboBox(&dialog);
    box->setObjectName(QStringLiteral("ChecksumBox"));
    box->addItem(QStringLiteral("none"));
    for (const ChecksumAlgorithm algorithm :
         {ChecksumAlgorithm::Sha256, ChecksumAlgorithm::Md5, ChecksumAlgorithm::Xxh128})
        box->addItem(ChecksumName(algorithm), int(algorithm));
    if (chosen) box->setCurrentIndex(box->findData(int(*chosen)));
    auto* label = new QLabel(QStringLiteral("&Checksums:"), &dialog);
    label->setBuddy(box);
    if (grid) {
        const int row = grid->rowCount();
        grid->addWidget(label, row, 0);
        grid->addWidget(box, row, 1);
    }
    const QString sums = QLatin1String(DataFormatOf(DataFormat::Sums).filter);
    QObject::connect(&dialog, &QFileDialog::filterSelected, box, [box, sums](const QString& f) {
        if (f == sums && box->currentIndex() == 0) box->setCurrentIndex(1);
    });
    return box;
}

// The suffix decides when the name has the suffix of a format; otherwise the type chosen,
// whose suffix a name without any gets.
ExportChoice ChooseExportFile(QWidget* parent, const QString& proposedName,
                              std::optional<ChecksumAlgorithm> checksum) {
    QFileDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("ExportDialog"));
    dialog.setWindowTitle(QStringLiteral("Export"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    QStringList filters;
    for (const DataFormatRow& row : DataFormats()) filters << QLatin1String(row.filter);
    dialog.setNameFilters(filters);
    const DataFormatRow* proposed = DataFormatWithSuffix(QFileInfo(proposedName).suffix());
    dialog.selectNameFilter(QLatin1String((proposed ? proposed : &DataFormats()[0])->filter));
    dialog.selectFile(proposedName);
    QComboBox* checksums = AddChecksumChoice(dialog, checksum);
    OfferHelp(&dialog, ExportHelpContext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    ExportChoice choice;
    choice.fileName = dialog.selectedFiles().constFirst();
    if (checksums->currentIndex() > 0)
        choice.checksum = ChecksumAlgorithm(checksums->currentData().toInt());
    const QString suffix = QFileInfo(choice.fileName).suffix();
    if (const DataFormatRow* named = DataFormatWithSuffix(suffix)) {
        choice.format = named->format;
        return choice;
    }
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    const DataFormatRow& row = DataFormats()[chosen < 0 ? 0 : chosen];
    choice.format = row.format;
    if (suffix.isEmpty()) choice.fileName += QLatin1Char('.') + QLatin1String(row.suffix);
    return choice;
}

}  // namespace

void THaupt::CreateAddedMenuItems() {
    // Right after Save, the other command that writes the listing to a file.
    ExportItem =
        AddMenuItem(Datei1, QStringLiteral("E&xport ..."), "ExportItem", {}, ExportHelpContext);
    CompareItem = AddMenuItem(Datei1, QStringLiteral("Co&mpare with catalogue ..."), "CompareItem",
                              {}, CompareHelpContext);
    QAction* const afterSave = Datei1->actions().value(Datei1->actions().indexOf(Speichern1) + 1);
    Datei1->insertAction(afterSave, ExportItem);
    Datei1->insertAction(afterSave, CompareItem);

    Ansicht1->addSeparator()->setObjectName(QStringLiteral("SortSeparator"));
    SortByMenu = Ansicht1->addMenu(QStringLiteral("Sort &by"));
    SortByMenu->setObjectName(QStringLiteral("SortByMenu"));
    auto* keys = new QActionGroup(SortByMenu);
    keys->setExclusive(true);
    SortNameItem = AddMenuItem(SortByMenu, QStringLiteral("&Name"), "SortNameItem", {}, 0);
    SortExtensionItem =
        AddMenuItem(SortByMenu, QStringLiteral("&Extension"), "SortExtensionItem", {}, 0);
    SortSizeItem = AddMenuItem(SortByMenu, QStringLiteral("&Size"), "SortSizeItem", {}, 0);
    SortDateItem = AddMenuItem(SortByMenu, QStringLiteral("&Date"), "SortDateItem", {}, 0);
    for (QAction* item : {SortNameItem, SortExtensionItem, SortSizeItem, SortDateItem}) {
        item->setCheckable(true);
        keys->addAction(item);
        connect(item, &QAction::triggered, this, &THaupt::SortItemClick);
    }
    SortNameItem->setChecked(true);
    SortByMenu->addSeparator();
    SortDescendingItem =
        AddMenuItem(SortByMenu, QStringLiteral("Des&cending"), "SortDescendingItem", {}, 0);
    SortDescendingItem->setCheckable(true);
    connect(SortDescendingItem, &QAction::triggered, this, &THaupt::SortItemClick);
    connect(ExportItem, &QAction::triggered, this, &THaupt::ExportItemClick);
    connect(CompareItem, &QAction::triggered, this, &THaupt::CompareItemClick);
}

void THaupt::ShowAddedOptions() {
    QAction* const items[] = {SortNameItem, SortExtensionItem, SortSizeItem, SortDateItem};
    items[int(AddedOptions.Sort)]->setChecked(true);
    SortDescendingItem->setChecked(AddedOptions.SortDescending);
}

EntryOrder THaupt::ChosenOrder() const {
    EntryOrder order;
    if (SortExtensionItem->isChecked()) order.key = SortKey::Extension;
    if (SortSizeItem->isChecked()) order.key = SortKey::Size;
    if (SortDateItem->isChecked()) order.key = SortKey::Date;
    order.descending = SortDescendingItem->isChecked();
    return order;
}

void THaupt::SortItemClick() {
    OptionsChanged = true;
    BuildListing();
}

// The listing as it is configured now, not the text view's text, which may be edited. It
// goes straight to the file, which gets it only when complete. Folders and files that could
// not be read are named afterwards: the file has them marked, or without a checksum.
void THaupt::ExportItemClick() {
    const ExportChoice choice = ChooseExportFile(this, exportFileName_, exportChecksum_);
    if (choice.fileName.isEmpty()) return;
    exportFileName_ = choice.fileName;
    exportChecksum_ = choice.checksum;
    if (QFileInfo(choice.fileName).isDir()) throw ECreateFileError(choice.fileName);
    ListingOptions options = GatherOptions(listedDirectory_);
    options.rawDirectory = listedRawDirectory_;
    options.checksum = choice.checksum;
    DataOptions data;
    data.protectFormulas = true;
    DataFile file(choice.fileName, choice.format, data);
    StatusBar1->SetPanelText(1, QStringLiteral("exporting ..."));
    try {
        file.open();
    } catch (const EDataWriteError&) {
        throw ECreateFileError(choice.fileName);
    }

    const ListingContext context{listedDirectory_, QDateTime::currentDateTime(),
                                 QStringLiteral("Tabulist"), QStringLiteral(TABULIST_VERSION),
                                 options.checksum};
    QStringList unreadable;
    {
        // Holds the window's input back: it must end before the message below.
        BusyRun run(StatusBar1, QStringLiteral("exporting"));
        try {
            if (file.write(options, run.hooks(), context).abandoned) return run.clearPanels();
        } catch (const EDataWriteError&) {
            // Errors leave the status text standing, as saving does.
            if (file.writeFailed()) throw EStreamWriteError();
            throw;
        }
        run.clearPanels();
        unreadable = run.unreadable();
    }
    if (!unreadable.isEmpty()) ShowUnreadable(unreadable);
}

void THaupt::ShowUnreadable(const QStringList& lines) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Export"),
                    QStringLiteral("The export is complete, but %L1 of the folders and files "
                                   "listed could not be read: what they hold, or their "
                                   "checksums, are missing from it.")
                        .arg(lines.size()),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("UnreadableBox"));
    constexpr qsizetype Shown = 5;
    box.setInformativeText(lines.mid(0, Shown).join(QLatin1Char('\n')) +
                           (lines.size() > Shown ? QStringLiteral("\n...") : QString()));
    if (lines.size() > Shown) box.setDetailedText(lines.join(QLatin1Char('\n')));
    box.exec();
}

}  // namespace tabulist
