// The main window's fixed layout: regions, controls, captions, hints, help contexts,
// menus and tab order. Positions are in pixels at 96 dots per inch.
#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QMenuBar>
#include <QShortcut>

#include "forms/Hauptfenster/ColorValues.h"
#include "forms/Hauptfenster/CompactStyle.h"
#include "forms/Hauptfenster/Hauptfenster.h"
#include "forms/Help.h"

namespace tabulist {

namespace {

QFrame* MakePanel(QWidget* parent, const char* name, QFrame::Shadow shadow, int lineWidth = 1) {
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameStyle(QFrame::Panel | shadow);
    panel->setLineWidth(lineWidth);
    return panel;
}

void SetHelpContext(QObject* object, int context) {
    object->setProperty(HelpContextProperty, context);
}

// Controls of the bands: named, placed, with their hint as tool tip.
template <class Widget>
Widget* Place(Widget* widget, const char* name, int left, int top, int width, int height,
              const QString& hint = {}, int helpContext = 0) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(left, top, width, height);
    if (!hint.isEmpty()) widget->setToolTip(hint);
    if (helpContext) SetHelpContext(widget, helpContext);
    return widget;
}

QPushButton* MakeBitBtn(QWidget* parent, const char* name, int left, int top,
                        const QString& picture, const QString& hint, int helpContext,
                        QSize pictureSize = QSize(18, 18)) {
    auto* button = Place(new QPushButton(parent), name, left, top, 25, 25, hint, helpContext);
    button->setIcon(QIcon(QStringLiteral(":/haupt/images/") + picture));
    button->setIconSize(pictureSize);
    button->setFocusPolicy(Qt::TabFocus);  // a click leaves the focus (and selection) in place
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

QComboBox* MakeComboBox(QWidget* parent, const char* name, int left, int top, int width,
                        const QString& hint, int helpContext, bool editable) {
    auto* box = Place(new QComboBox(parent), name, left, top, width, 21, hint, helpContext);
    box->setStyle(TCompactStyle::instance());
    box->setEditable(editable);
    box->setInsertPolicy(QComboBox::NoInsert);
    // Typed text is taken as it stands, never completed to a list item.
    if (editable) box->setCompleter(nullptr);
    box->setMaxVisibleItems(12);
    return box;
}

QCheckBox* MakeCheckBox(QWidget* parent, const char* name, int left, int top, int width,
                        const QString& caption, const QString& hint, int helpContext,
                        bool checked) {
    auto* box =
        Place(new QCheckBox(caption, parent), name, left, top, width, 17, hint, helpContext);
    box->setStyle(TCompactStyle::instance());
    box->setChecked(checked);
    box->setCursor(Qt::PointingHandCursor);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(left, top);
    label->adjustSize();
    return label;
}

}  // namespace

void THaupt::CreateToolBand() {
    Panel1 = MakePanel(centralWidget(), "Panel1", QFrame::Raised);
    Panel1->setFixedHeight(41);
    BitBtn1 = MakeBitBtn(Panel1, "BitBtn1", 4, 8, QStringLiteral("door.png"),
                         QStringLiteral("close program"), 0);
    BitBtn2 = MakeBitBtn(Panel1, "BitBtn2", 30, 8, QStringLiteral("diskette.png"),
                         QStringLiteral("save"), 7);
    BitBtn3 = MakeBitBtn(Panel1, "BitBtn3", 56, 8, QStringLiteral("printer.png"),
                         QStringLiteral("print"), 4);
    BitBtn4 = MakeBitBtn(Panel1, "BitBtn4", 82, 8, QStringLiteral("paste.png"),
                         QStringLiteral("insert from clipboard"), 8, QSize(15, 15));
    BitBtn5 = MakeBitBtn(Panel1, "BitBtn5", 108, 8, QStringLiteral("selectall.png"),
                         QStringLiteral("select all"), 8);
    BitBtn6 = MakeBitBtn(Panel1, "BitBtn6", 134, 8, QStringLiteral("copy.png"),
                         QStringLiteral("copy to clipboard"), 8, QSize(15, 15));
    ComboBox1 = MakeComboBox(Panel1, "ComboBox1", 220, 12, 73,
                             QStringLiteral("number of columns to show"), 6, true);
    ComboBox1->addItems({QStringLiteral("1 column"), QStringLiteral("2 columns"),
                         QStringLiteral("3 columns"), QStringLiteral("4 columns"),
                         QStringLiteral("5 columns"), QStringLiteral("6 columns")});
    BitBtn7 = MakeBitBtn(Panel1, "BitBtn7", 160, 8, QStringLiteral("fonts.png"),
                         QStringLiteral("selecet fonts"), 5);
    Button1 = Place(new QPushButton(QStringLiteral("..."), Panel1), "Button1", 472, 10, 27, 25,
                    QStringLiteral("Here you can select more options for the view"), 6);
    QFont bold = Button1->font();
    bold.setBold(true);
    bold.setPointSize(12);
    Button1->setFont(bold);
    Button1->setFocusPolicy(Qt::TabFocus);
    Button1->setCursor(Qt::PointingHandCursor);
    BitBtn8 =
        MakeBitBtn(Panel1, "BitBtn8", 552, 10, QString(), QStringLiteral("German help file"), 1);
    // Its picture holds the normal and the disabled look side by side.
    const QPixmap helpPictures(QStringLiteral(":/haupt/images/help.png"));
    QIcon helpIcon(helpPictures.copy(0, 0, 18, 18));
    helpIcon.addPixmap(helpPictures.copy(18, 0, 18, 18), QIcon::Disabled);
    BitBtn8->setIcon(helpIcon);
    CheckBox3 = MakeCheckBox(Panel1, "CheckBox3", 358, 4, 61, QStringLiteral("attribute"),
                             QStringLiteral("show attributes of the files"), 6, true);
    CheckBox4 = MakeCheckBox(Panel1, "CheckBox4", 420, 4, 45, QStringLiteral("size"),
                             QStringLiteral("show the size of files"), 6, true);
    CheckBox5 = MakeCheckBox(Panel1, "CheckBox5", 358, 20, 53, QStringLiteral("date"),
                             QStringLiteral("show date of creating a file"), 6, true);
    ComboBox9 =
        MakeComboBox(Panel1, "ComboBox9", 296, 12, 57, QStringLiteral("Unit of filesize"), 6, true);
    ComboBox9->addItems({QStringLiteral("Bytes"), QStringLiteral("KBytes"),
                         QStringLiteral("MBytes"), QStringLiteral("GBytes")});
    CheckBox6 = MakeCheckBox(Panel1, "CheckBox6", 420, 20, 45, QStringLiteral("unit"),
                             QStringLiteral("show the unit of the filesize"), 6, false);
    BitBtn9 = MakeBitBtn(Panel1, "BitBtn9", 186, 8, QStringLiteral("colors.png"),
                         QStringLiteral("select the color of the background"), 5, QSize(16, 16));
    Label2 = MakeLabel(Panel1, "Label2", 508, 8, QStringLiteral("more"));
    Label3 = MakeLabel(Panel1, "Label3", 504, 22, QStringLiteral("options"));

    // Before the settings are read, the column and unit lists show their first text with
    // no entry selected.
    for (QComboBox* box : {ComboBox1, ComboBox9}) {
        const QString text = box->itemText(0);
        box->setCurrentIndex(-1);
        box->setEditText(text);
        box->setCursor(Qt::PointingHandCursor);
    }
    QPalette black = ComboBox1->palette();
    black.setColor(QPalette::Text, Qt::black);
    ComboBox1->setPalette(black);
}

void THaupt::CreateSearchBand() {
    Panel2 = MakePanel(centralWidget(), "Panel2", QFrame::Raised);
    Panel2->setFixedHeight(56);
    SetHelpContext(Panel2, 9);
    QPalette navy = Panel2->palette();
    navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
    Label1 = MakeLabel(Panel2, "Label1", 2, 16, QStringLiteral("search-"));
    Label8 = MakeLabel(Panel2, "Label8", 4, 32, QStringLiteral("options"));
    Label1->setPalette(navy);
    Label8->setPalette(navy);

    Panel3 = Place(MakePanel(Panel2, "Panel3", QFrame::Sunken), "Panel3", 40, 6, 65, 47);
    Label4 = MakeLabel(Panel3, "Label4", 6, 6, QStringLiteral("kind of files"));
    ComboBox2 =
        MakeComboBox(Panel3, "ComboBox2", 6, 20, 49,
                     QStringLiteral("Do you want to search for special kinds of files?"), 9, true);
    ComboBox2->addItems(
        {QStringLiteral("all"),   QStringLiteral("*.apr"),  QStringLiteral("*.bas"),
         QStringLiteral("*.bat"), QStringLiteral("*.bmp"),  QStringLiteral("*.com"),
         QStringLiteral("*.dat"), QStringLiteral("*.dll"),  QStringLiteral("*.db"),
         QStringLiteral("*.dbf"), QStringLiteral("*.doc"),  QStringLiteral("*.dcu"),
         QStringLiteral("*.dpr"), QStringLiteral("*.exe"),  QStringLiteral("*.gif"),
         QStringLiteral("*.htm"), QStringLiteral("*.html"), QStringLiteral("*.hlp"),
         QStringLiteral("*.jpg"), QStringLiteral("*.lwp"),  QStringLiteral("*.mdb"),
         QStringLiteral("*.pas"), QStringLiteral("*.prz"),  QStringLiteral("*.rtf"),
         QStringLiteral("*.sdc"), QStringLiteral("*.sdw"),  QStringLiteral("*.sdb"),
         QStringLiteral("*.sdd"), QStringLiteral("*.sys"),  QStringLiteral("*.tif"),
         QStringLiteral("*.tmp"), QStringLiteral("*.txt"),  QStringLiteral("*.wav"),
         QStringLiteral("*.wmf"), QStringLiteral("*.xls"),  QStringLiteral("*.123")});
    ComboBox2->setCurrentIndex(0);

    RadioGroup1 =
        Place(new TRadioGroupBox(QStringLiteral("attribute"),
                                 {QStringLiteral("all"), QStringLiteral("archive"),
                                  QStringLiteral("read only"), QStringLiteral("system")},
                                 2, Panel2),
              "RadioGroup1", 108, 2, 147, 51,
              QStringLiteral("Do you want to search for fieles with special attributes?"), 9);
    RadioGroup1->setCursor(Qt::PointingHandCursor);
    RadioGroup1->SetItemIndex(0);

    Panel4 = Place(MakePanel(Panel2, "Panel4", QFrame::Sunken), "Panel4", 258, 6, 99, 47,
                   QStringLiteral("Do you want to show hidden files?"));
    Label5 = MakeLabel(Panel4, "Label5", 4, 4, QStringLiteral("hidden files to"));
    CheckBox1 =
        MakeCheckBox(Panel4, "CheckBox1", 6, 22, 79, QStringLiteral("be detected"), {}, 9, false);
    SubfoldersBox =
        MakeCheckBox(Panel2, "SubfoldersBox", 636, 20, 120, QStringLiteral("include subfolders"),
                     QStringLiteral("Do you want to list the subfolders too?"), 9, false);
    CreateDateControls();
}

void THaupt::CreateDateControls() {
    Panel5 = Place(MakePanel(Panel2, "Panel5", QFrame::Sunken), "Panel5", 360, 6, 269, 47,
                   QStringLiteral("Do you want to search for a period ?"));
    CheckBox2 = MakeCheckBox(Panel5, "CheckBox2", 4, 2, 55, QStringLiteral("date"), {}, 9, false);
    Label6 = MakeLabel(Panel5, "Label6", 68, 4, QStringLiteral("start"));
    Label7 = MakeLabel(Panel5, "Label7", 182, 4, QStringLiteral("stop"));
    const QString month = QStringLiteral("month"), day = QStringLiteral("day"),
                  year = QStringLiteral("year");
    ComboBox4 = MakeComboBox(Panel5, "ComboBox4", 4, 20, 37, month, 9, false);
    ComboBox3 = MakeComboBox(Panel5, "ComboBox3", 42, 20, 37, day, 9, false);
    ComboBox5 = MakeComboBox(Panel5, "ComboBox5", 82, 20, 47, year, 9, false);
    ComboBox7 = MakeComboBox(Panel5, "ComboBox7", 134, 20, 37, month, 9, false);
    ComboBox6 = MakeComboBox(Panel5, "ComboBox6", 174, 20, 37, day, 9, false);
    ComboBox8 = MakeComboBox(Panel5, "ComboBox8", 216, 20, 47, year, 9, false);
    QPalette black = ComboBox3->palette();
    black.setColor(QPalette::ButtonText, Qt::black);
    ComboBox3->setPalette(black);
}

void THaupt::CreateLeftColumn() {
    Panel6 = MakePanel(centralWidget(), "Panel6", QFrame::Raised);
    Panel6->setFixedWidth(229);
    auto* column = new QVBoxLayout(Panel6);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    Panel7 = MakePanel(Panel6, "Panel7", QFrame::Sunken, 2);
    Panel7->setFixedHeight(41);
    DriveComboBox1 = new TDriveComboBox(Panel7);
    Place(DriveComboBox1, "DriveComboBox1", 28, 12, 173, 21,
          QStringLiteral("Please select a drive!"), 3);
    DriveComboBox1->SetDirList(nullptr);
    DriveComboBox1->setCursor(Qt::PointingHandCursor);

    Panel8 = MakePanel(Panel6, "Panel8", QFrame::Sunken, 2);
    auto* listBox = new QVBoxLayout(Panel8);
    listBox->setContentsMargins(2, 2, 2, 2);
    DirectoryListBox1 = new TDirectoryListBox(Panel8);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setToolTip(QStringLiteral("Please select a directory!"));
    SetHelpContext(DirectoryListBox1, 3);
    DirectoryListBox1->setCursor(Qt::PointingHandCursor);
    listBox->addWidget(DirectoryListBox1);
    DriveComboBox1->SetDirList(DirectoryListBox1);

    for (QWidget* w :
         {static_cast<QWidget*>(DriveComboBox1), static_cast<QWidget*>(DirectoryListBox1)}) {
        QPalette face = w->palette();
        face.setColor(QPalette::Base, face.color(QPalette::Button));
        w->setPalette(face);
    }
    column->addWidget(Panel7);
    column->addWidget(Panel8, 1);
}

void THaupt::CreateTextView() {
    Panel9 = MakePanel(centralWidget(), "Panel9", QFrame::Sunken);
    auto* fill = new QVBoxLayout(Panel9);
    fill->setContentsMargins(3, 3, 3, 3);
    Memo1 = new TMemo(Panel9);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    SetHelpContext(Memo1, 5);
    Memo1->setPlainText(QStringLiteral("Memo1"));
    fill->addWidget(Memo1);
}

QAction* THaupt::AddMenuItem(QMenu* menu, const QString& caption, const char* name,
                             const QKeySequence& shortcut, int helpContext) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    SetHelpContext(action, helpContext);
    return action;
}

void THaupt::CreateMenus() {
    QMenuBar* bar = menuBar();
    auto addMenu = [&](const QString& title, const char* name) {
        QMenu* menu = bar->addMenu(title);
        menu->setObjectName(QString::fromLatin1(name));
        menu->installEventFilter(this);  // F1 on a highlighted item
        return menu;
    };
    Datei1 = addMenu(QStringLiteral("&File"), "Datei1");
    Speichern1 = AddMenuItem(Datei1, QStringLiteral("&Save"), "Speichern1", Qt::Key_F2, 7);
    Datei1->addSeparator()->setObjectName(QStringLiteral("N1"));
    Drucken1 = AddMenuItem(Datei1, QStringLiteral("&Print"), "Drucken1", Qt::Key_F3, 4);
    Druckereinrichten1 =
        AddMenuItem(Datei1, QStringLiteral("Printer&options"), "Druckereinrichten1", Qt::Key_F4, 0);
    Datei1->addSeparator()->setObjectName(QStringLiteral("N2"));
    // Alt+F4 is only part of the caption; the window system closes the window on it.
    BeendenAltF41 = AddMenuItem(Datei1, QStringLiteral("&Exit Alt+F4"), "BeendenAltF41", {}, 0);
    // Function keys are all taken, by the window or the desktop.
    PrintPreviewItem = AddMenuItem(Datei1, QStringLiteral("Print pre&view"), "PrintPreviewItem",
                                   Qt::CTRL | Qt::SHIFT | Qt::Key_F2, 4);

    Bearbeiten1 = addMenu(QStringLiteral("&Edit"), "Bearbeiten1");
    Kopieren1 = AddMenuItem(Bearbeiten1, QStringLiteral("&Copy"), "Kopieren1", Qt::Key_F5, 5);
    Einfuegen1 = AddMenuItem(Bearbeiten1, QStringLiteral("&Insert"), "Einfuegen1", Qt::Key_F6, 5);
    Allesmarkieren1 =
        AddMenuItem(Bearbeiten1, QStringLiteral("&Select all"), "Allesmarkieren1", Qt::Key_F7, 5);

    Ansicht1 = addMenu(QStringLiteral("&View"), "Ansicht1");
    Suchkriterien1 =
        AddMenuItem(Ansicht1, QStringLiteral("&Searchoptions"), "Suchkriterien1", Qt::Key_F8, 9);
    versteckteDateien1 = AddMenuItem(Ansicht1, QStringLiteral("&Hidden Files"),
                                     "versteckteDateien1", Qt::CTRL | Qt::Key_F11, 9);
    Ansicht1->addSeparator()->setObjectName(QStringLiteral("N3"));
    Spaltenanzahl1 = AddMenuItem(Ansicht1, QStringLiteral("&Number of Columns"), "Spaltenanzahl1",
                                 Qt::Key_F9, 6);
    Attribute1 = AddMenuItem(Ansicht1, QStringLiteral("&Attribute"), "Attribute1", Qt::Key_F11, 6);
    Datum1 = AddMenuItem(Ansicht1, QStringLiteral("&Date"), "Datum1", Qt::Key_F12, 6);
    Groesse1 =
        AddMenuItem(Ansicht1, QStringLiteral("&Size"), "Groesse1", Qt::CTRL | Qt::Key_F12, 6);
    Ansicht1->addSeparator()->setObjectName(QStringLiteral("N5"));
    WeitereAngaben1 = AddMenuItem(Ansicht1, QStringLiteral("&More Options"), "WeitereAngaben1",
                                  Qt::CTRL | Qt::Key_F9, 6);
    Ansicht1->addSeparator()->setObjectName(QStringLiteral("N8"));
    FarbedesAusgabefensters1 =
        AddMenuItem(Ansicht1, QStringLiteral("Backgroundcolor of the Outputwindow"),
                    "FarbedesAusgabefensters1", Qt::CTRL | Qt::Key_F8, 5);
    Ansicht1->addSeparator()->setObjectName(QStringLiteral("N9"));
    SubfoldersItem = AddMenuItem(Ansicht1, QStringLiteral("Sub&folders"), "SubfoldersItem",
                                 Qt::CTRL | Qt::SHIFT | Qt::Key_F9, 9);
    StopItem =
        AddMenuItem(Ansicht1, QStringLiteral("S&top listing"), "StopItem", Qt::Key_Escape, 9);
    StopItem->setEnabled(false);  // only while a listing runs

    Text1 = addMenu(QStringLiteral("&Font"), "Text1");
    Schriftart1 =
        AddMenuItem(Text1, QStringLiteral("&Font"), "Schriftart1", Qt::CTRL | Qt::Key_F2, 5);

    Hilfe1 = addMenu(QStringLiteral("&Help"), "Hilfe1");
    Hilfe2 = AddMenuItem(Hilfe1, QStringLiteral("&German Help"), "Hilfe2", Qt::Key_F1, 1);
    Hilfe1->addSeparator()->setObjectName(QStringLiteral("N4"));
    Info1 = AddMenuItem(Hilfe1, QStringLiteral("&About"), "Info1", {}, 0);

    for (QAction* a :
         {Suchkriterien1, versteckteDateien1, Attribute1, Datum1, Groesse1, SubfoldersItem})
        a->setCheckable(true);
    Suchkriterien1->setChecked(true);
    // Mirrors of the initial state of CheckBox3, CheckBox5 and CheckBox4.
    for (QAction* a : {Attribute1, Datum1, Groesse1}) a->setChecked(true);
    CreateAddedMenuItems();
}

void THaupt::CreatePopupMenu() {
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const char* names[] = {"N1Spalte1",  "N2Spalten1", "N3Spalten1",
                           "N4Spalten1", "N5Spalten1", "N6Spalten1"};
    QAction** items[] = {&N1Spalte1,  &N2Spalten1, &N3Spalten1,
                         &N4Spalten1, &N5Spalten1, &N6Spalten1};
    for (int k = 0; k < 6; ++k) {
        *items[k] = PopupMenu1->addAction(k == 0 ? QStringLiteral("1 column")
                                                 : QStringLiteral("%1 columns").arg(k + 1));
        (*items[k])->setObjectName(QString::fromLatin1(names[k]));
    }
}

void THaupt::CreateDialogs() {
    FontDialog1 = new TFontDialog(this);
    FontDialog1->setObjectName(QStringLiteral("FontDialog1"));
    SetHelpContext(FontDialog1, 5);
    ColorDialog1 = new QColorDialog(this);
    ColorDialog1->setObjectName(QStringLiteral("ColorDialog1"));
    ColorDialog1->setOption(QColorDialog::DontUseNativeDialog);
    SetHelpContext(ColorDialog1, 5);
    // Qt's colour dialog has no Help button of its own: its button row gets one.
    if (auto* buttons = ColorDialog1->findChild<QDialogButtonBox*>()) {
        buttons->addButton(QDialogButtonBox::Help);
        connect(buttons, &QDialogButtonBox::helpRequested, this, [] { ShowHelpContext(5); });
    }
    new QShortcut(QKeySequence(Qt::Key_F1), ColorDialog1, [] { ShowHelpContext(5); });
}

void THaupt::SetTabOrder() {
    const QList<QWidget*> order = {
        BitBtn1,   BitBtn2,   BitBtn3,        BitBtn4,           BitBtn5,   BitBtn6,
        ComboBox1, BitBtn7,   Button1,        BitBtn8,           CheckBox3, CheckBox4,
        CheckBox5, ComboBox9, CheckBox6,      BitBtn9,           ComboBox2, RadioGroup1->Item(0),
        CheckBox1, CheckBox2, ComboBox3,      ComboBox4,         ComboBox5, ComboBox6,
        ComboBox7, ComboBox8, DriveComboBox1, DirectoryListBox1, Memo1};
    for (qsizetype i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace tabulist
