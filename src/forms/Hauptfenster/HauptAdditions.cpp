// Menu items beyond the original window: exporting the listing as data, and its order.
#include <QActionGroup>
#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>

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

struct ExportChoice {
    QString fileName;  // empty when cancelled
    DataFormat format = DataFormat::Csv;
};

// The suffix decides when the name has the suffix of a format; otherwise the type chosen,
// whose suffix a name without any gets.
ExportChoice ChooseExportFile(QWidget* parent, const QString& proposedName) {
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
    OfferHelp(&dialog, ExportHelpContext);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    ExportChoice choice;
    choice.fileName = dialog.selectedFiles().constFirst();
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
    Datei1->insertAction(Datei1->actions().value(Datei1->actions().indexOf(Speichern1) + 1),
                         ExportItem);

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

namespace {

// While an export runs, the window repaints but takes no input, so nothing starts a second
// listing or changes the options half-way: Esc (or closing the window) stops the export.
class ExportInput : public QObject {
public:
    ExportInput() { QCoreApplication::instance()->installEventFilter(this); }
    ~ExportInput() override { QCoreApplication::instance()->removeEventFilter(this); }
    bool stopped() const { return stopped_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::ShortcutOverride:
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) stopped_ = true;
                return true;
            case QEvent::Close:
                stopped_ = true;
                event->ignore();
                return true;
            case QEvent::KeyRelease:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
                return true;
            default:
                return false;
        }
    }

private:
    bool stopped_ = false;
};

}  // namespace

// The listing as it is configured now, not the text view's text, which may be edited. It
// goes straight to the file, which gets it only when complete.
void THaupt::ExportItemClick() {
    const ExportChoice choice = ChooseExportFile(this, exportFileName_);
    if (choice.fileName.isEmpty()) return;
    exportFileName_ = choice.fileName;
    if (QFileInfo(choice.fileName).isDir()) throw ECreateFileError(choice.fileName);
    StatusBar1->SetPanelText(1, QStringLiteral("exporting ..."));
    ListingOptions options = GatherOptions(listedDirectory_);
    options.rawDirectory = listedRawDirectory_;
    DataOptions data;
    data.protectFormulas = true;
    DataFile file(choice.fileName, choice.format, data);
    try {
        file.open();
    } catch (const EDataWriteError&) {
        throw ECreateFileError(choice.fileName);
    }

    ExportInput input;
    QElapsedTimer shown;
    shown.start();
    int64_t read = 0;
    ListingHooks hooks;
    hooks.processMessages = [&] {
        if (++read % 256 == 0 && shown.elapsed() >= 100) {
            StatusBar1->SetPanelText(1, QStringLiteral("exporting ... %L1 entries").arg(read));
            shown.restart();
        }
        QCoreApplication::processEvents();
    };
    hooks.abandoned = [&input] { return input.stopped(); };
    hooks.activity = [this](const QString& glyphs) { StatusBar1->SetPanelText(2, glyphs); };
    const ListingContext context{listedDirectory_, QDateTime::currentDateTime(),
                                 QStringLiteral("Tabulist"), QStringLiteral(TABULIST_VERSION),
                                 options.checksum};
    try {
        file.write(options, hooks, context);
    } catch (const EDataWriteError&) {
        // Errors leave the status text standing, as saving does.
        if (file.writeFailed()) throw EStreamWriteError();
        throw;
    }
    StatusBar1->SetPanelText(1, QString());
    StatusBar1->SetPanelText(2, QString());
}

}  // namespace tabulist
