#pragma once

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <optional>
#include <vector>

#include "forms/Hauptfenster/FontDialog.h"
#include "forms/Hauptfenster/HauptDialogs.h"
#include "forms/Hauptfenster/ListingRequests.h"
#include "forms/Hauptfenster/Memo.h"
#include "forms/Hauptfenster/RadioGroupBox.h"
#include "forms/Hauptfenster/StatusPanels.h"
#include "forms/OutputCommands/PrintCommand.h"
#include "forms/OutputCommands/SaveCommand.h"
#include "listing/ListingEngine.h"
#include "listing/RegionalSettings.h"
#include "platform/widgets/DirectoryListBox.h"
#include "platform/widgets/DriveComboBox.h"

namespace tabulist {

// The main window. Its controls carry their form names and hold the option state;
// the listing is built from them each time. Layout, commands, listing, status bar
// and start-up live in separate files of this unit.
class THaupt : public QMainWindow {
    Q_OBJECT
public:
    // The dialogs are reached through the table given here, filled in once they exist;
    // showError shows errors that arise where no event carries them.
    THaupt(const THauptDialogs& dialogs, ErrorDisplay showError, QWidget* parent = nullptr);
    ~THaupt() override;

    // Tool bar band.
    QFrame* Panel1;
    QPushButton *BitBtn1, *BitBtn2, *BitBtn3, *BitBtn4, *BitBtn5, *BitBtn6, *BitBtn7, *BitBtn8,
        *BitBtn9;
    QPushButton* Button1;
    QComboBox *ComboBox1, *ComboBox9;
    QCheckBox *CheckBox3, *CheckBox4, *CheckBox5, *CheckBox6;
    QLabel *Label2, *Label3;
    // Search options band.
    QFrame *Panel2, *Panel3, *Panel4, *Panel5;
    QLabel *Label1, *Label8, *Label4, *Label5, *Label6, *Label7;
    QComboBox* ComboBox2;
    TRadioGroupBox* RadioGroup1;
    QCheckBox *CheckBox1, *CheckBox2;
    QComboBox *ComboBox3, *ComboBox4, *ComboBox5, *ComboBox6, *ComboBox7, *ComboBox8;
    // Left column and text view.
    QFrame *Panel6, *Panel7, *Panel8, *Panel9;
    TDriveComboBox* DriveComboBox1;
    TDirectoryListBox* DirectoryListBox1;
    // Addition: include subfolders, below the directory list.
    QFrame* SubfoldersPanel;
    QCheckBox* SubfoldersBox;
    TMemo* Memo1;
    TStatusBar* StatusBar1;
    QTimer* Timer1;
    TFontDialog* FontDialog1;
    QColorDialog* ColorDialog1;

    // Main menu.
    QMenu *Datei1, *Bearbeiten1, *Ansicht1, *Text1, *Hilfe1;
    QAction *Speichern1, *Drucken1, *Druckereinrichten1, *BeendenAltF41;
    QAction* PrintPreviewItem;
    QAction *Kopieren1, *Einfuegen1, *Allesmarkieren1;
    QAction *Suchkriterien1, *versteckteDateien1, *Spaltenanzahl1, *Attribute1, *Datum1, *Groesse1,
        *WeitereAngaben1, *FarbedesAusgabefensters1;
    QAction *SubfoldersItem, *StopItem;  // subfolders, stop listing (additions)
    QAction* Schriftart1;
    QAction* RefreshItem;  // View > Refresh, an addition
    QAction *Hilfe2, *Info1;
    // Additions: export, comparison with a catalogue, and order.
    QAction *ExportItem, *CompareItem;
    QMenu* SortByMenu;
    QAction *SortNameItem, *SortExtensionItem, *SortSizeItem, *SortDateItem, *SortDescendingItem;
    // Column pop-up.
    QMenu* PopupMenu1;
    QAction *N1Spalte1, *N2Spalten1, *N3Spalten1, *N4Spalten1, *N5Spalten1, *N6Spalten1;

    // Listing state.
    QString SearchSpec;
    QString FileMask;
    bool PathFromClick = false;
    int32_t DirCount = 0;

    bool ListingRunning() const { return requests_.Running(); }
    // Test hook: listings begun since the window was created, to count rebuilds.
    int ListingsStarted() const { return requests_.Started(); }
    // Where the column pop-up opens, in screen coordinates.
    static constexpr QPoint PopupPosition{130, 50};

    // Copies the main window's options into SavedOptions, in the record's order.
    void CopyOptionsIntoSavedOptions();

    // Commands.
    void BitBtn1Click();
    void BitBtn2Click();
    void Drucken1Click();
    void Druckereinrichten1Click();
    void PrintPreviewItemClick();
    void Kopieren1Click();
    void Einfuegen1Click();
    void Allesmarkieren1Click();
    void BitBtn7Click();
    void BitBtn9Click();
    void ComboBox1Change();
    void Spaltenanzahl1Click();
    void SelectColumnCount(int index);  // N1Spalte1Click to N6Spalten1Click
    void ComboBox2Change();
    void CheckBox3Click();
    void Attribute1Click();
    void CheckBox5Click();
    void Datum1Click();
    void CheckBox4Click();
    void Groesse1Click();
    void CheckBox6Click();
    void WeitereAngaben1Click();
    void Suchkriterien1Click();
    void versteckteDateien1Click();
    void CheckBox1Click();
    void SubfoldersItemClick();
    void SubfoldersBoxClick();
    void StopItemClick();
    void RadioGroup1Click();
    void CheckBox2Click();
    void DriveComboBox1Change();
    void DirectoryListBox1Change();
    void Hilfe2Click();
    void Info1Click();
    void Timer1Timer();
    void ExportItemClick();
    void CompareItemClick();
    void SortItemClick();

    void BuildListing();

    // Additions for the desktop (HauptDesktop.cpp). OpenFolder moves the drive selector
    // and directory list to a folder, or to the folder of a file, and lists it; anything
    // else throws "Directory not found: " and the name.
    void OpenFolder(const QByteArray& rawPath);
    void RefreshItemClick();

    void setVisible(bool visible) override;
    void changeOrDefer(void (THaupt::*handler)());

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The print command with the view's text colour and the listing's job name.
    PrintCommand MakePrintCommand() const;
    // Layout.
    void CreateToolBand();
    void CreateSearchBand();
    void CreateDateControls();
    void CreateLeftColumn();
    void CreateTextView();
    void CreateMenus();
    void CreatePopupMenu();
    void CreateAddedMenuItems();
    void CreateDialogs();
    void SetTabOrder();
    void ConnectCommands();
    void CreateDesktopAdditions();
    QAction* AddMenuItem(QMenu* menu, const QString& caption, const char* name,
                         const QKeySequence& shortcut, int helpContext);

    // Start-up.
    void FormCreate();
    void FinishFormCreate();
    static constexpr int MaxFontPixels = 500;
    static constexpr int MaxFontPoints = 360;
    void ApplyFont();
    void FillDateLists();
    void SelectToday();

    void ShowAddedOptions();
    void ShowUnreadable(const QStringList& lines);
    EntryOrder ChosenOrder() const;
    void UpdateColumnControls();
    void UpdateDateFilterControls();
    void MirrorBoxToItem(QCheckBox* box, QAction* item);
    void MirrorItemToBox(QAction* item, QCheckBox* box);

    // Listing.
    ListingOptions GatherOptions(const QString& directory) const;
    void RunListing();
    void FinishListingRequests(ListingRequests::After after);

    const THauptDialogs& dialogs_;
    ErrorDisplay showError_;
    RegionalSettings regional_;
    ListingRequests requests_;
    bool stopRequested_ = false;  // Esc or View > Stop listing while a listing runs
    bool showing_ = false;
    std::vector<void (THaupt::*)()> deferredChanges_;  // selector reports held while showing
    SaveCommand saveCommand_;                          // remembers the name chosen last
    QString exportFileName_ = QStringLiteral("Tabulist.csv");
    std::optional<ChecksumAlgorithm> exportChecksum_;
    QString catalogueFileName_;  // the catalogue compared with last
    // The folder of the last listing, which an export lists again.
    QString listedDirectory_;
    QByteArray listedRawDirectory_;
};

// Help contexts ride on widgets and menu items as this property.
inline constexpr const char* HelpContextProperty = "helpContext";

}  // namespace tabulist
