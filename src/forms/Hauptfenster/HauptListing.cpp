// BuildListing as the window runs it: the controls gathered into the engine's options,
// the text view fed in batches, and one listing at a time with the newest request winning.
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTimer>

#include "forms/Hauptfenster/Hauptfenster.h"
#include "settings/AddedOptions.h"
#include "settings/RecordListingOptions.h"
#include "settings/SavedOptions.h"

namespace tabulist {

namespace {

// Lines reach the view in batches: one edit per batch instead of one layout pass per line.
class MemoSink : public ListingSink {
public:
    explicit MemoSink(TMemo* memo) : memo_(memo) { clock_.start(); }
    ~MemoSink() override { flush(); }  // lines written before an error stay

    void clear() override {
        pending_.clear();
        memo_->BeginListing();
        clock_.restart();
    }
    void appendLine(const QString& line) override {
        pending_.append(line);
        if (clock_.elapsed() >= FlushMs) flush();
    }
    void flush() {
        memo_->AppendLines(pending_);
        pending_.clear();
        clock_.restart();
    }

private:
    static constexpr int FlushMs = 50;
    TMemo* memo_;
    QStringList pending_;
    QElapsedTimer clock_;
};

}  // namespace

ListingOptions THaupt::GatherOptions(const QString& directory) const {
    // The record gives the header and footer lines; the controls override the rest.
    ListingOptions o;
    ApplyOptionsRecord(SavedOptions, o);
    o.directory = directory;
    o.maskText = ComboBox2->currentText();
    o.columnIndex = ComboBox1->currentIndex();
    o.showAttributes = CheckBox3->isChecked();
    o.showSize = CheckBox4->isChecked();
    o.showDate = CheckBox5->isChecked();
    o.showUnit = CheckBox6->isChecked();
    o.sizeUnitIndex = ComboBox9->currentIndex();
    o.showHidden = CheckBox1->isChecked();
    o.attributeClass = RadioGroup1->ItemIndex();
    o.dateFilter = CheckBox2->isChecked();
    o.startDayIndex = ComboBox3->currentIndex();
    o.startMonthIndex = ComboBox4->currentIndex();
    o.startYearIndex = ComboBox5->currentIndex();
    o.stopDayIndex = ComboBox6->currentIndex();
    o.stopMonthIndex = ComboBox7->currentIndex();
    o.stopYearIndex = ComboBox8->currentIndex();
    o.driveText = DriveComboBox1->Text();
    o.driveLetter = DriveComboBox1->DriveLetter();
    o.regional = regional_;
    o.order = ChosenOrder();
    o.subfolders = AddedOptions.Subfolders;
    o.depth = AddedOptions.Depth;
    o.oneFileSystem = AddedOptions.OneFileSystem;
    o.folderTotals = AddedOptions.FolderTotals;
    return o;
}

// A request while a listing runs abandons the running one and is remembered; the
// running one unwinds and the listing runs again from the controls as they then stand.
void THaupt::BuildListing() {
    if (requests_.Running()) {
        requests_.Queue(PathFromClick);
        PathFromClick = false;
        return;
    }
    struct Running {
        THaupt* window;
        explicit Running(THaupt* w) : window(w) { window->requests_.Enter(); }
        ~Running() {
            window->Memo1->EndListing();  // reruns of an abandoned listing share its step
            const ListingRequests::After after = window->requests_.Leave();
            window->PathFromClick = false;
            window->FinishListingRequests(after);
        }
    } running(this);
    do {
        requests_.BeginRun();
        RunListing();
        PathFromClick = requests_.RerunFromClick();
    } while (requests_.RunAgain());
}

// After the last run, or after an error ended one: what was asked for meanwhile still
// happens, once the handler that started the listing has returned.
void THaupt::FinishListingRequests(ListingRequests::After after) {
    switch (after) {
        case ListingRequests::After::Close:
            QTimer::singleShot(0, this, &QWidget::close);
            break;
        case ListingRequests::After::Rebuild:
            QTimer::singleShot(0, this, &THaupt::BuildListing);
            break;
        case ListingRequests::After::Nothing:
            break;
    }
}

void THaupt::RunListing() {
    const bool fromClick = PathFromClick;
    PathFromClick = false;
    DirCount = 0;
    StatusBar1->SetPanelText(1, QStringLiteral("searching ..."));
    StatusBar1->SetPanelText(2, QString());
    QString directory;
    QByteArray rawDirectory;  // reaches the file system without a round trip through text
    if (fromClick) {
        int row = 0;
        while (!DirectoryListBox1->Selected(row)) ++row;  // past the last row: EListError
        directory = DirectoryListBox1->RowPath(row);
        rawDirectory = DirectoryListBox1->RowRawPath(row);
    } else {
        directory = DirectoryListBox1->CurrentDirectory();
        rawDirectory = DirectoryListBox1->CurrentDirectoryRaw();
    }
    listedDirectory_ = directory;
    listedRawDirectory_ = rawDirectory;
    ListingOptions options = GatherOptions(directory);
    options.rawDirectory = rawDirectory;
    FileMask = options.maskText == QLatin1String("all") ? QStringLiteral("*.*") : options.maskText;

    auto clearPanels = [this] {
        StatusBar1->SetPanelText(1, QString());
        StatusBar1->SetPanelText(2, QString());
    };
    auto showSearchSpec = [this](const QString& spec) {
        SearchSpec = spec;
        // As the listing's path line: with the system's separator.
        StatusBar1->SetPanelText(3, QStringLiteral("path: ") + QDir::toNativeSeparators(spec));
    };
    // A tree walk reports each folder it searches; once it ends, however, panel 3 and with it
    // the print job name the listed folder again. Its search path is the first reported.
    QString listedSpec;
    ListingHooks hooks;
    hooks.searchSpecReady = [&listedSpec, showSearchSpec](const QString& spec) {
        if (listedSpec.isEmpty()) listedSpec = spec;
        showSearchSpec(spec);
    };
    hooks.processMessages = [] { QCoreApplication::processEvents(); };
    stopRequested_ = false;
    hooks.abandoned = [this] { return stopRequested_ || requests_.Abandoned(); };
    hooks.activity = [this](const QString& glyphs) { StatusBar1->SetPanelText(2, glyphs); };
    hooks.finished = clearPanels;

    struct BackToListedFolder {
        const QString& spec;
        std::function<void(const QString&)> show;
        ~BackToListedFolder() {
            if (!spec.isEmpty()) show(spec);
        }
    } backToListedFolder{listedSpec, showSearchSpec};
    MemoSink sink(Memo1);
    // While it runs, the listing can be stopped, but not exported or compared half-way.
    struct WhileListing {
        THaupt* w;
        explicit WhileListing(THaupt* window) : w(window) { set(true); }
        ~WhileListing() { set(false); }
        void set(bool running) {
            w->StopItem->setEnabled(running);
            w->ExportItem->setEnabled(!running);
            w->CompareItem->setEnabled(!running);
        }
    } whileListing(this);
    const ListingResult result = BuildListingReport(options, sink, hooks);
    if (result.abandoned && stopRequested_ && !requests_.Abandoned())
        sink.appendLine(QStringLiteral("listing stopped"));
    stopRequested_ = false;
    sink.flush();
    DirCount = result.dirCount;
    if (result.abandoned) clearPanels();
}

}  // namespace tabulist
