// What the controls and menu items of the main window do.
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <utility>

#include "forms/About/About.h"
#include "forms/Druckfortschritt/Druckfortschritt.h"
#include "forms/Hauptfenster/Clock.h"
#include "forms/Hauptfenster/ColorValues.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"
#include "forms/OutputCommands/ClipboardCommands.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "forms/OutputCommands/PrintPreview.h"
#include "forms/OutputCommands/PrinterOptions.h"
#include "forms/OutputCommands/SaveCommand.h"
#include "forms/OutputCommands/ViewText.h"
#include "forms/PEnde/ExitQuestion.h"
#include "forms/PEnde/PEnde.h"
#include "forms/ProgramDirectory.h"
#include "forms/Zusatz/Zusatz.h"
#include "platform/Errors.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFolder.h"

namespace tabulist {

void THaupt::ConnectCommands() {
    auto onClick = [this](QPushButton* button, void (THaupt::*handler)()) {
        connect(button, &QPushButton::clicked, this, handler);
    };
    auto onTrigger = [this](QAction* action, void (THaupt::*handler)()) {
        connect(action, &QAction::triggered, this, handler);
    };
    // A check box's reaction runs on every change of its state, from the user or from code.
    auto onToggle = [this](QCheckBox* box, void (THaupt::*handler)()) {
        connect(box, &QCheckBox::toggled, this, handler);
    };
    // A combo box's "click" is a pick from its list; its "change" also every edit.
    auto onPick = [this](QComboBox* box, void (THaupt::*handler)()) {
        connect(box, &QComboBox::activated, this, handler);
    };
    auto onChange = [this, onPick](QComboBox* box, void (THaupt::*handler)()) {
        onPick(box, handler);
        if (box->lineEdit()) connect(box->lineEdit(), &QLineEdit::textEdited, this, handler);
    };

    onClick(BitBtn1, &THaupt::BitBtn1Click);
    onTrigger(BeendenAltF41, &THaupt::BitBtn1Click);
    onClick(BitBtn2, &THaupt::BitBtn2Click);
    onTrigger(Speichern1, &THaupt::BitBtn2Click);
    onClick(BitBtn3, &THaupt::Drucken1Click);
    onTrigger(Drucken1, &THaupt::Drucken1Click);
    onTrigger(Druckereinrichten1, &THaupt::Druckereinrichten1Click);
    onTrigger(PrintPreviewItem, &THaupt::PrintPreviewItemClick);
    onClick(BitBtn6, &THaupt::Kopieren1Click);
    onTrigger(Kopieren1, &THaupt::Kopieren1Click);
    onClick(BitBtn4, &THaupt::Einfuegen1Click);
    onTrigger(Einfuegen1, &THaupt::Einfuegen1Click);
    onClick(BitBtn5, &THaupt::Allesmarkieren1Click);
    onTrigger(Allesmarkieren1, &THaupt::Allesmarkieren1Click);
    onClick(BitBtn7, &THaupt::BitBtn7Click);
    onTrigger(Schriftart1, &THaupt::BitBtn7Click);
    onClick(BitBtn9, &THaupt::BitBtn9Click);
    onTrigger(FarbedesAusgabefensters1, &THaupt::BitBtn9Click);
    onChange(ComboBox1, &THaupt::ComboBox1Change);
    onTrigger(Spaltenanzahl1, &THaupt::Spaltenanzahl1Click);
    const QList<QAction*> columnItems = {N1Spalte1,  N2Spalten1, N3Spalten1,
                                         N4Spalten1, N5Spalten1, N6Spalten1};
    for (int k = 0; k < columnItems.size(); ++k)
        connect(columnItems[k], &QAction::triggered, this, [this, k] { SelectColumnCount(k); });
    onPick(ComboBox9, &THaupt::ComboBox2Change);
    onToggle(CheckBox3, &THaupt::CheckBox3Click);
    onTrigger(Attribute1, &THaupt::Attribute1Click);
    onToggle(CheckBox5, &THaupt::CheckBox5Click);
    onTrigger(Datum1, &THaupt::Datum1Click);
    onToggle(CheckBox4, &THaupt::CheckBox4Click);
    onTrigger(Groesse1, &THaupt::Groesse1Click);
    onToggle(CheckBox6, &THaupt::CheckBox6Click);
    onClick(Button1, &THaupt::WeitereAngaben1Click);
    onTrigger(WeitereAngaben1, &THaupt::WeitereAngaben1Click);
    onTrigger(Suchkriterien1, &THaupt::Suchkriterien1Click);
    onTrigger(versteckteDateien1, &THaupt::versteckteDateien1Click);
    onToggle(CheckBox1, &THaupt::CheckBox1Click);
    onTrigger(SubfoldersItem, &THaupt::SubfoldersItemClick);
    onToggle(SubfoldersBox, &THaupt::SubfoldersBoxClick);
    onTrigger(StopItem, &THaupt::StopItemClick);
    onChange(ComboBox2, &THaupt::ComboBox2Change);
    RadioGroup1->OnClick = [this] { RadioGroup1Click(); };
    onToggle(CheckBox2, &THaupt::CheckBox2Click);
    for (QComboBox* box : {ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox7, ComboBox8})
        onChange(box, &THaupt::ComboBox2Change);
    DriveComboBox1->OnChange = [this] { changeOrDefer(&THaupt::DriveComboBox1Change); };
    DirectoryListBox1->OnChange = [this] { changeOrDefer(&THaupt::DirectoryListBox1Change); };
    DirectoryListBox1->OnClick = [this] { DirectoryListBox1Change(); };
    onClick(BitBtn8, &THaupt::Hilfe2Click);
    onTrigger(Hilfe2, &THaupt::Hilfe2Click);
    onTrigger(Info1, &THaupt::Info1Click);
}

void THaupt::BitBtn1Click() { close(); }

void THaupt::BitBtn2Click() {
    saveCommand_.Run(this, ViewText(Memo1),
                     [this](const QString& text) { StatusBar1->SetPanelText(1, text); });
}

PrintCommand THaupt::MakePrintCommand() const {
    PrintCommand command;
    command.TextColor = PaperColor(Memo1->FontColor());
    QString searchPath = StatusBar1->PanelText(3);
    if (searchPath.startsWith(QStringLiteral("path: "))) searchPath.remove(0, 6);
    command.JobName = QStringLiteral("Tabulist - ") + searchPath;
    return command;
}

void THaupt::Drucken1Click() {
    MakePrintCommand().Run(this, Memo1, *dialogs_.Drucken,
                           [this](const QString& text) { StatusBar1->SetPanelText(1, text); });
}

void THaupt::PrintPreviewItemClick() {
    PrintCommand command = MakePrintCommand();
    if (PrintPreviewCommand(this, Memo1, command)) Drucken1Click();
}

void THaupt::Druckereinrichten1Click() { PrinterOptionsCommand(this); }

void THaupt::Kopieren1Click() { CopyCommand(Memo1); }

void THaupt::Einfuegen1Click() { PasteCommand(Memo1); }

void THaupt::Allesmarkieren1Click() { SelectAllCommand(Memo1); }

void THaupt::BitBtn7Click() {
    // Each time from the view as it is, so that a cancelled choice does not come back.
    FontDialog1->setCurrentFont(Memo1->font());
    FontDialog1->setCurrentColorValue(Memo1->FontColor());
    if (FontDialog1->exec() != QDialog::Accepted) return;
    Memo1->setFont(FontDialog1->selectedFont());
    Memo1->SetFontColor(FontDialog1->selectedColorValue());
    OptionsChanged = true;
}

void THaupt::BitBtn9Click() {
    ColorDialog1->setCurrentColor(ColorFromValue(Memo1->BackgroundColor(), QPalette()));
    if (ColorDialog1->exec() != QDialog::Accepted) return;
    Memo1->SetBackgroundColor(ValueFromColor(ColorDialog1->selectedColor()));
    OptionsChanged = true;
}

void THaupt::ComboBox1Change() {
    OptionsChanged = true;
    UpdateColumnControls();
    BuildListing();
}

void THaupt::Spaltenanzahl1Click() { PopupMenu1->popup(PopupPosition); }

void THaupt::SelectColumnCount(int index) {
    ComboBox1->setCurrentIndex(index);  // runs no reaction of the box
    UpdateColumnControls();
    BuildListing();
}

void THaupt::ComboBox2Change() { BuildListing(); }

// A check box and the menu item that mirrors it: each side marks, copies its state to
// the other and rebuilds. Setting the box from the item runs the box's reaction too, so
// the item's command builds the listing twice; the second run gives the same text.
void THaupt::MirrorBoxToItem(QCheckBox* box, QAction* item) {
    OptionsChanged = true;
    item->setChecked(box->isChecked());
    BuildListing();
}

// The item has flipped its own check mark before triggered arrives.
void THaupt::MirrorItemToBox(QAction* item, QCheckBox* box) {
    OptionsChanged = true;
    box->setChecked(item->isChecked());
    BuildListing();
}

void THaupt::CheckBox3Click() { MirrorBoxToItem(CheckBox3, Attribute1); }
void THaupt::Attribute1Click() { MirrorItemToBox(Attribute1, CheckBox3); }
void THaupt::CheckBox5Click() { MirrorBoxToItem(CheckBox5, Datum1); }
void THaupt::Datum1Click() { MirrorItemToBox(Datum1, CheckBox5); }
void THaupt::CheckBox4Click() { MirrorBoxToItem(CheckBox4, Groesse1); }
void THaupt::Groesse1Click() { MirrorItemToBox(Groesse1, CheckBox4); }

void THaupt::CheckBox6Click() {
    OptionsChanged = true;
    BuildListing();
}

void THaupt::WeitereAngaben1Click() {
    dialogs_.Zusatzformular->exec();
    BuildListing();
}

void THaupt::Suchkriterien1Click() {
    OptionsChanged = true;
    Panel2->setVisible(Suchkriterien1->isChecked());
}

// The rebuild comes from CheckBox1's reaction alone.
void THaupt::versteckteDateien1Click() { CheckBox1->setChecked(versteckteDateien1->isChecked()); }

void THaupt::CheckBox1Click() {
    versteckteDateien1->setChecked(CheckBox1->isChecked());
    BuildListing();
}

// As with hidden files, the rebuild comes from the box's reaction alone.
void THaupt::SubfoldersItemClick() { SubfoldersBox->setChecked(SubfoldersItem->isChecked()); }

void THaupt::SubfoldersBoxClick() {
    AddedOptions.Subfolders = SubfoldersBox->isChecked();
    MirrorBoxToItem(SubfoldersBox, SubfoldersItem);
}

// The listing ends after the entry being written; the text keeps what was listed.
void THaupt::StopItemClick() {
    if (requests_.Running()) stopRequested_ = true;
}

void THaupt::RadioGroup1Click() { BuildListing(); }

void THaupt::CheckBox2Click() {
    UpdateDateFilterControls();
    BuildListing();
}

void THaupt::DriveComboBox1Change() {
    BuildListing();
    setWindowTitle(QStringLiteral("Tabulist - current drive: ") + DriveComboBox1->Text());
}

// The drive selector reports its first drive while the window is being shown (and, on a
// machine whose "/" is no mount of its own, the directory list reports its move too); a
// listing lets messages run, which must not happen while Qt walks the children it is showing.
void THaupt::changeOrDefer(void (THaupt::*handler)()) {
    if (showing_)
        deferredChanges_.push_back(handler);
    else
        (this->*handler)();
}

void THaupt::setVisible(bool visible) {
    showing_ = visible;
    QMainWindow::setVisible(visible);
    showing_ = false;
    const std::vector<void (THaupt::*)()> deferred = std::exchange(deferredChanges_, {});
    for (void (THaupt::*handler)() : deferred) {
        // Shown from the main sequence there is no event around to carry an error.
        try {
            (this->*handler)();
        } catch (const TabulistError& error) {
            showError_(error.message());
        }
    }
}

void THaupt::DirectoryListBox1Change() {
    int row = 0;
    while (!DirectoryListBox1->Selected(row)) ++row;  // past the last row: EListError
    SearchSpec = DirectoryListBox1->RowPath(row);
    PathFromClick = true;
    BuildListing();
}

void THaupt::Hilfe2Click() { ShowHelpContext(1); }

void THaupt::Info1Click() { dialogs_.Info->exec(); }

void THaupt::Timer1Timer() {
    StatusBar1->SetPanelText(0, ClockPanelText(CurrentDateTime(), regional_));
}

void THaupt::UpdateColumnControls() {
    const bool oneColumn = ComboBox1->currentIndex() == 0;
    for (QWidget* w :
         std::initializer_list<QWidget*>{ComboBox9, CheckBox3, CheckBox4, CheckBox5, CheckBox6})
        w->setEnabled(oneColumn);
    for (QAction* a : {Attribute1, Datum1, Groesse1}) a->setEnabled(oneColumn);
}

void THaupt::UpdateDateFilterControls() {
    const bool on = CheckBox2->isChecked();
    for (QWidget* w : std::initializer_list<QWidget*>{ComboBox3, ComboBox4, ComboBox5, ComboBox6,
                                                      ComboBox7, ComboBox8, Label6, Label7})
        w->setVisible(on);
}

void THaupt::CopyOptionsIntoSavedOptions() {
    SavedOptions.FontColor = Memo1->FontColor();
    SavedOptions.FontHeight = Memo1->FontHeight();
    SavedOptions.FontSize = Memo1->FontSize();
    SavedOptions.FontStyle = Memo1->FontStyle();
    SavedOptions.setFontName(Memo1->font().family());
    SavedOptions.BackgroundColor = Memo1->BackgroundColor();
    SavedOptions.ShowAttributes = CheckBox3->isChecked();
    SavedOptions.ShowSize = CheckBox4->isChecked();
    SavedOptions.ShowDate = CheckBox5->isChecked();
    SavedOptions.ShowUnit = CheckBox6->isChecked();
    SavedOptions.ColumnIndex = uint8_t(ComboBox1->currentIndex());  // -1 is stored as 255
    SavedOptions.SizeUnitIndex = uint8_t(ComboBox9->currentIndex());
    SavedOptions.ShowSearchOptions = Suchkriterien1->isChecked();
    SavedOptions.ShowHidden = CheckBox1->isChecked();
    AddedOptions.Sort = ChosenOrder().key;
    AddedOptions.SortDescending = ChosenOrder().descending;
}

void THaupt::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (ListingRunning()) {
        // The running listing unwinds first; the close is tried again after it.
        requests_.Close();
        return;
    }
    const bool mayClose = FormClose(
        *dialogs_.PEDialog, [this] { CopyOptionsIntoSavedOptions(); },
        UserSettingsPath(ProgramDirectory()));
    if (mayClose) {
        event->accept();
    } else if (requests_.TakeCutByClose()) {
        BuildListing();
    }
}

// F1 in an open menu asks for the highlighted item's help.
bool THaupt::eventFilter(QObject* watched, QEvent* event) {
    auto* menu = qobject_cast<QMenu*>(watched);
    if (menu && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
        QAction* item = menu->activeAction();
        const int context = item ? item->property(HelpContextProperty).toInt() : 0;
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
        ShowHelpContext(context > 0 ? context : 1);  // items without a context: general help
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace tabulist
