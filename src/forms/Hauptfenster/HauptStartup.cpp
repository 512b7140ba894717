// Creating the main window and FormCreate, in their exact order.
#include <QBoxLayout>
#include <QEvent>
#include <QFontDatabase>
#include <QSignalBlocker>
#include <optional>

#include "forms/About/About.h"
#include "forms/Hauptfenster/Clock.h"
#include "forms/Hauptfenster/ColorValues.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"
#include "forms/ProgramDirectory.h"
#include "platform/Errors.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"
#include "settings/SettingsFolder.h"

// The pictures live in this static library; their registration must be asked for.
static void InitHauptImages() { Q_INIT_RESOURCE(HauptImages); }

namespace tabulist {

namespace {

// The designed widths were made for a narrow 11-pixel face. Where it is missing, the
// sans serif every Debian machine has, narrowed, keeps each caption inside its control.
QFont WindowFont() {
    const QString designed = QStringLiteral("MS Sans Serif");
    const bool present = QFontDatabase::families().contains(designed);
    QFont font(present ? designed : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    if (!present) font.setStretch(QFont::Condensed);
    return font;
}

}  // namespace

THaupt::THaupt(const THauptDialogs& dialogs, ErrorDisplay showError, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), showError_(std::move(showError)) {
    InitHauptImages();
    setObjectName(QStringLiteral("Haupt"));
    setWindowTitle(QStringLiteral("Tabulist"));
    setWindowIcon(QIcon(ProgramIcon()));
    setGeometry(160, 91, 640, 336);
    setFont(WindowFont());

    setCentralWidget(new QWidget(this));
    CreateToolBand();
    CreateSearchBand();
    CreateLeftColumn();
    CreateTextView();
    auto* rows = new QVBoxLayout(centralWidget());
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    rows->addWidget(Panel1);
    rows->addWidget(Panel2);
    auto* columns = new QHBoxLayout;
    columns->setSpacing(0);
    columns->addWidget(Panel6);
    columns->addWidget(Panel9, 1);
    rows->addLayout(columns, 1);
    StatusBar1 = new TStatusBar(this);
    setStatusBar(StatusBar1);
    CreateMenus();
    CreatePopupMenu();
    CreateDialogs();
    SetTabOrder();
    ConnectCommands();
    CreateDesktopAdditions();

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &THaupt::Timer1Timer);
    Timer1->start();
    regional_ = RegionalSettings::fromLocale();

    // There is no message loop yet to show an error of the start-up handler, so the
    // error display is called here; the error ends FormCreate only.
    try {
        FormCreate();
    } catch (const TabulistError& error) {
        showError_(error.message());
    }
}

THaupt::~THaupt() = default;

void THaupt::FormCreate() {
    SetHelpFile(ProgramDirectory() + QStringLiteral("Tabulist.hlp"));
    const QString settingsPath = UserSettingsPath(ProgramDirectory());
    std::optional<QString> recordError;
    try {
        LoadSavedOptions(settingsPath);
    } catch (const TabulistError& error) {
        recordError = error.message();
    }
    // The additions' file never stops a start: a missing or damaged one gives defaults.
    AddedOptions = LoadAddedOptions(AddedOptionsPath(settingsPath));
    if (recordError) {
        // Without stored options the window starts from its initial state, with the
        // column and unit lists on their first entries, so that a first start works.
        showError_(*recordError);
        ComboBox1->setCurrentIndex(0);
        ComboBox9->setCurrentIndex(0);
        FinishFormCreate();
        return;
    }
    ApplyFont();
    FontDialog1->setCurrentFont(Memo1->font());
    FontDialog1->setCurrentColorValue(Memo1->FontColor());
    Memo1->SetBackgroundColor(SavedOptions.BackgroundColor);
    ColorDialog1->setCurrentColor(ColorFromValue(SavedOptions.BackgroundColor, QPalette()));
    CheckBox3->setChecked(SavedOptions.ShowAttributes);
    CheckBox4->setChecked(SavedOptions.ShowSize);
    CheckBox5->setChecked(SavedOptions.ShowDate);
    CheckBox6->setChecked(SavedOptions.ShowUnit);
    auto indexIn = [](const QComboBox* box, uint8_t stored) {
        return stored < box->count() ? int(stored) : -1;
    };
    // A column index past the list (255 stands for no selection) lists one-column
    // detail lines, so the box and the detail controls say so too.
    ComboBox1->setCurrentIndex(std::max(indexIn(ComboBox1, SavedOptions.ColumnIndex), 0));
    ComboBox9->setCurrentIndex(indexIn(ComboBox9, SavedOptions.SizeUnitIndex));
    Attribute1->setChecked(SavedOptions.ShowAttributes);
    Groesse1->setChecked(SavedOptions.ShowSize);
    Datum1->setChecked(SavedOptions.ShowDate);
    versteckteDateien1->setChecked(SavedOptions.ShowHidden);
    CheckBox1->setChecked(SavedOptions.ShowHidden);
    Suchkriterien1->setChecked(SavedOptions.ShowSearchOptions);
    Panel2->setVisible(SavedOptions.ShowSearchOptions);
    FinishFormCreate();
}

// The steps from clearing PathFromClick to clearing OptionsChanged.
void THaupt::FinishFormCreate() {
    ShowAddedOptions();
    {
        // The one listing of the start comes below.
        const QSignalBlocker quiet(SubfoldersBox);
        SubfoldersBox->setChecked(AddedOptions.Subfolders);
    }
    SubfoldersItem->setChecked(AddedOptions.Subfolders);
    PathFromClick = false;
    UpdateDateFilterControls();
    UpdateColumnControls();
    FillDateLists();
    SelectToday();
    UpdateColumnControls();
    BuildListing();
    OptionsChanged = false;
}

// Name, colour, height, size, style: the size comes after the height and decides.
// Sizes past what a text view can show are held to a sane range.
void THaupt::ApplyFont() {
    QFont font(SavedOptions.fontName());
    Memo1->SetFontColor(SavedOptions.FontColor);
    if (SavedOptions.FontHeight != 0)
        font.setPixelSize(std::clamp(std::abs(SavedOptions.FontHeight), 1, MaxFontPixels));
    if (SavedOptions.FontSize > 0)
        font.setPointSize(std::min(SavedOptions.FontSize, MaxFontPoints));
    Memo1->setFont(font);
    Memo1->SetFontStyle(SavedOptions.FontStyle);
}

void THaupt::FillDateLists() {
    for (QComboBox* box : {ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox7, ComboBox8})
        box->clear();
    for (int day = 1; day <= 31; ++day)
        for (QComboBox* box : {ComboBox3, ComboBox6}) box->addItem(QString::number(day));
    for (int month = 1; month <= 12; ++month)
        for (QComboBox* box : {ComboBox4, ComboBox7}) box->addItem(QString::number(month));
    for (int year = 1980; year <= 2099; ++year)
        for (QComboBox* box : {ComboBox5, ComboBox8}) box->addItem(QString::number(year));
}

void THaupt::SelectToday() {
    const QDate today = CurrentDateTime().date();
    const int year = today.year() - 1980;
    for (QComboBox* box : {ComboBox3, ComboBox6}) box->setCurrentIndex(today.day() - 1);
    for (QComboBox* box : {ComboBox4, ComboBox7}) box->setCurrentIndex(today.month() - 1);
    for (QComboBox* box : {ComboBox5, ComboBox8})
        box->setCurrentIndex(year >= 0 && year < box->count() ? year : -1);
}

void THaupt::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::LocaleChange) regional_ = RegionalSettings::fromLocale();
}

}  // namespace tabulist
