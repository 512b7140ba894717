// TDriveComboBox, the drive selector widget over DriveSelector.
#include "platform/widgets/DriveComboBox.h"

#include <QAbstractItemView>
#include <QIcon>

#include "platform/widgets/DirectoryListBox.h"
#include "platform/widgets/SelectorGlyphs.h"
#include "platform/widgets/SelectorRowDelegate.h"

namespace tabulist {

TDriveComboBox::TDriveComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
    setItemDelegate(new SelectorRowDelegate(SelectorRowDelegate::Rows::Drives, this));
    setIconSize(QSize(16, 11));
    setCursor(Qt::PointingHandCursor);
    view()->setCursor(Qt::PointingHandCursor);
    model_.ViewChanged = [this] { syncView(); };
    model_.OnChange = [this] {
        if (OnChange) OnChange();
    };
    // activated is the user's pick only; selections set from code run nothing.
    connect(this, &QComboBox::activated, this, &TDriveComboBox::picked);
}

TDriveComboBox::~TDriveComboBox() {
    model_.ViewChanged = nullptr;
    model_.OnChange = nullptr;
}

QChar TDriveComboBox::DriveLetter() const { return model_.DriveLetter(); }
QString TDriveComboBox::Text() const { return model_.Text(); }
TextCase TDriveComboBox::textCase() const { return model_.textCase(); }
void TDriveComboBox::setTextCase(TextCase textCase) { model_.setTextCase(textCase); }

void TDriveComboBox::SetDirList(TDirectoryListBox* list) {
    dirList_ = list;
    model_.SetDirList(list != nullptr ? &list->model() : nullptr);
}

TDirectoryListBox* TDriveComboBox::DirList() const { return dirList_; }

void TDriveComboBox::SelectDrive(QChar letter) { model_.SelectDrive(letter); }
void TDriveComboBox::BuildDriveList() { model_.BuildDriveList(); }

void TDriveComboBox::setDriveTableSource(std::function<DriveTable()> source) {
    model_.setDriveTableSource(std::move(source));
}

void TDriveComboBox::showEvent(QShowEvent* event) {
    QComboBox::showEvent(event);
    if (created_) return;
    created_ = true;
    // The list's window comes with this one; its rows must stand before the first report.
    if (dirList_ != nullptr && dirList_->RowCount() == 0) dirList_->BuildDirectoryRows();
    model_.BuildDriveList();
    model_.SelectDrive(model_.DriveLetter());
}

void TDriveComboBox::picked(int index) {
    try {
        model_.Pick(index);
    } catch (...) {
        // The pick already holds the new drive; the view shows it before the error does.
        syncView();
        throw;
    }
}

void TDriveComboBox::syncView() {
    const QSignalBlocker blocker(this);
    const auto& rows = model_.rows();
    bool same = count() == static_cast<int>(rows.size());
    for (int i = 0; same && i < count(); ++i) same = itemText(i) == rows[i].text;
    if (!same) {
        clear();
        for (const DriveRow& row : rows) {
            const QString glyph = DriveGlyphName(row.type);
            addItem(QIcon(SelectorGlyph(glyph)), row.text);
            const int i = count() - 1;
            setItemData(i, glyph, GlyphRole);
            setItemData(i, 2, IndentRole);
        }
    }
    setCurrentIndex(model_.selectedRow());
}

}  // namespace tabulist
