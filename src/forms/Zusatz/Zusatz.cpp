// TZusatzformular, the more-options dialog for header and footer lines.
#include "forms/Zusatz/Zusatz.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QSpinBox>
#include <algorithm>

#include "forms/DialogParts/DialogParts.h"
#include "forms/Help.h"
#include "forms/Zusatz/RadioGroup.h"
#include "settings/AddedOptions.h"
#include "settings/SavedOptions.h"

namespace tabulist {

namespace {

constexpr int Width = 286;
constexpr int Height = 368;
constexpr int TreePanelHeight = 56;

const QStringList Units = {QStringLiteral("Bytes"), QStringLiteral("KBytes"),
                           QStringLiteral("MBytes"), QStringLiteral("GBytes")};

QCheckBox* MakeCheckBox(QWidget* parent, const char* caption, int left, int top, int width) {
    auto* box = new QCheckBox(QString::fromLatin1(caption), parent);
    box->setGeometry(left, top, width, 17);
    return box;
}

QLabel* MakeLabel(QWidget* parent, const char* caption, int left, int top) {
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->move(left, top);
    label->adjustSize();
    return label;
}

TRadioGroup* MakeRadioGroup(QWidget* parent, int left, int top, int width) {
    auto* group = new TRadioGroup(parent, Units);
    group->setGeometry(left, top, width, 79);
    return group;
}

void SetUnit(TRadioGroup* group, uint8_t unit) {
    group->setItemIndex(std::min<int>(unit, group->count() - 1));
}

// Tabulist.ini may hold a deeper limit than the box offers; it shows as the box's highest.
int ShownDepth(const QSpinBox* box) {
    return std::clamp(AddedOptions.Depth, box->minimum(), box->maximum());
}

}  // namespace

TZusatzformular::TZusatzformular(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Zusatzformular"));
    MakeFixedDialog(this, QStringLiteral("more options"), Width, Height);

    Panel1 = new TBevelPanel(this, TBevelPanel::Raised, TBevelPanel::Lowered, 1, 2);
    Panel1->setGeometry(0, 0, Width, Height - 41);
    // Created in keyboard order, which sets the tab chain.
    CheckBox1 = MakeCheckBox(Panel1, "name of the drive", 20, 12, 135);
    CheckBox2 = MakeCheckBox(Panel1, "informations of the drives", 20, 34, 135);
    CheckBox3 = MakeCheckBox(Panel1, "path", 20, 168, 135);
    CheckBox4 = MakeCheckBox(Panel1, "number of founded files", 20, 188, 173);
    CheckBox5 = MakeCheckBox(Panel1, "total size of founded files", 20, 208, 203);
    CheckBox6 = MakeCheckBox(Panel1, "relative informations in per cent.", 44, 304, 235);
    RadioGroup1 = MakeRadioGroup(Panel1, 94, 220, 77);
    RadioGroup2 = MakeRadioGroup(Panel1, 98, 56, 77);
    CheckBox7 = MakeCheckBox(Panel1, "relative informations in per cent.", 38, 142, 235);
    Label3 = MakeLabel(Panel1, "with the size in", 20, 64);
    Label4 = MakeLabel(Panel1, "with", 14, 142);
    Label1 = MakeLabel(Panel1, "with the size in", 20, 232);
    Label2 = MakeLabel(Panel1, "with", 24, 306);
    RadioGroup1->setItemIndex(0);
    RadioGroup2->setItemIndex(0);

    Panel2 = new TBevelPanel(this, TBevelPanel::Raised, TBevelPanel::None, 1, 0);
    Panel2->setGeometry(0, Height - 41, Width, 41);
    BitBtn1 = MakeBitBtn(Panel2, QStringLiteral("OK"), QStringLiteral(":/dialog-parts/tick.xpm"),
                         14, 6, 71, 25);
    BitBtn3 = MakeBitBtn(Panel2, QStringLiteral("&Help"), QStringLiteral(":/dialog-parts/help.xpm"),
                         186, 6, 83, 25);
    BitBtn2 = MakeBitBtn(Panel2, QStringLiteral("Cancel"),
                         QStringLiteral(":/dialog-parts/cross.xpm"), 90, 6, 93, 25);
    BitBtn1->setDefault(true);

    // Below the buttons, so that nothing above moves when it appears; created last, so
    // the tab chain reaches it after the buttons.
    TreePanel = new TBevelPanel(this, TBevelPanel::Raised, TBevelPanel::Lowered, 1, 2);
    TreePanel->setGeometry(0, Height, Width, TreePanelHeight);
    FolderTotalsBox = MakeCheckBox(TreePanel, "totals for each folder", 20, 9, 203);
    DepthLabel = MakeLabel(TreePanel, "depth of subfolders:", 20, 32);
    DepthBox = new QSpinBox(TreePanel);
    DepthBox->setRange(-1, 999);
    DepthBox->setSpecialValueText(QStringLiteral("no limit"));
    DepthBox->setGeometry(DepthLabel->geometry().right() + 8, 28, 77, 21);
    DepthLabel->setBuddy(DepthBox);
    TreePanel->hide();

    connect(CheckBox2, &QCheckBox::toggled, this, &TZusatzformular::CheckBox2Click);
    connect(CheckBox5, &QCheckBox::toggled, this, &TZusatzformular::CheckBox5Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TZusatzformular::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtn3, &QPushButton::clicked, this, &TZusatzformular::BitBtn3Click);
}

void TZusatzformular::FormShow() {
    const TSavedOptions& o = SavedOptions;
    CheckBox1->setChecked(o.HeaderDriveName != 0);
    CheckBox2->setChecked(o.HeaderDriveInfo != 0);
    SetUnit(RadioGroup2, o.DriveInfoUnit);
    CheckBox7->setChecked(o.HeaderDrivePercent != 0);
    CheckBox3->setChecked(o.HeaderPath != 0);
    CheckBox4->setChecked(o.FooterFileCount != 0);
    CheckBox5->setChecked(o.FooterTotalSize != 0);
    SetUnit(RadioGroup1, o.TotalSizeUnit);
    CheckBox6->setChecked(o.FooterPercent != 0);
    CheckBox2Click();
    CheckBox5Click();

    const bool tree = AddedOptions.Subfolders;
    TreePanel->setVisible(tree);
    setFixedSize(Width, Height + (tree ? TreePanelHeight : 0));
    FolderTotalsBox->setChecked(AddedOptions.FolderTotals);
    DepthBox->setValue(ShownDepth(DepthBox));
}

void TZusatzformular::CheckBox2Click() {
    const bool on = CheckBox2->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Label3), static_cast<QWidget*>(RadioGroup2),
                       static_cast<QWidget*>(CheckBox7), static_cast<QWidget*>(Label4)})
        w->setEnabled(on);
}

void TZusatzformular::CheckBox5Click() {
    // Label1 stays enabled: it is not part of this group's rule.
    const bool on = CheckBox5->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(RadioGroup1),
                       static_cast<QWidget*>(CheckBox6)})
        w->setEnabled(on);
}

void TZusatzformular::BitBtn1Click() {
    TSavedOptions& o = SavedOptions;
    o.HeaderDriveName = CheckBox1->isChecked();
    o.HeaderDriveInfo = CheckBox2->isChecked();
    o.DriveInfoUnit = static_cast<uint8_t>(RadioGroup2->itemIndex());
    o.HeaderDrivePercent = CheckBox7->isChecked();
    o.HeaderPath = CheckBox3->isChecked();
    o.FooterFileCount = CheckBox4->isChecked();
    o.FooterTotalSize = CheckBox5->isChecked();
    o.TotalSizeUnit = static_cast<uint8_t>(RadioGroup1->itemIndex());
    o.FooterPercent = CheckBox6->isChecked();
    AddedOptions.FolderTotals = FolderTotalsBox->isChecked();
    // An untouched box keeps a stored limit it cannot show.
    if (DepthBox->value() != ShownDepth(DepthBox)) AddedOptions.Depth = DepthBox->value();
    OptionsChanged = true;
    accept();
}

void TZusatzformular::BitBtn3Click() { ShowHelpContext(6); }

void TZusatzformular::showEvent(QShowEvent* event) {
    // A window coming back from the taskbar is not a new showing.
    if (!event->spontaneous()) {
        FormShow();
        CentreOnScreen(this);
    }
    QDialog::showEvent(event);
}

void TZusatzformular::keyPressEvent(QKeyEvent* event) {
    // Cancel is an ordinary button here, not bound to Escape: Escape must not close the
    // dialog.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tabulist
