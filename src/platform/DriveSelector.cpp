// The drive selector's model: the drives present and the selected one.
#include "platform/DriveSelector.h"

#include <QFile>
#include <algorithm>

#include "platform/DirectoryList.h"

namespace tabulist {

DriveSelector::DriveSelector(TableSource source) : source_(std::move(source)) {
    const DriveTable table = source_();
    if (const Drive* drive = table.driveOf(QFile::decodeName(ReadWorkingDirectory())))
        letter_ = drive->letter;
}

DriveSelector::~DriveSelector() {
    if (dirList_ != nullptr) dirList_->link_ = nullptr;
}

void DriveSelector::setDriveTableSource(TableSource source) {
    source_ = std::move(source);
    if (dirList_ != nullptr) dirList_->setDriveTableSource(source_);
    // Before the first build the letter still comes from the working directory.
    if (rows_.empty()) {
        const DriveTable table = source_();
        const Drive* drive = table.driveOf(QFile::decodeName(ReadWorkingDirectory()));
        letter_ = drive != nullptr ? inCase(drive->letter) : QChar();
    }
}

QString DriveSelector::Text() const { return selected_ >= 0 ? rows_[selected_].text : QString(); }

void DriveSelector::setTextCase(TextCase textCase) {
    if (textCase == textCase_) return;
    textCase_ = textCase;
    if (!letter_.isNull()) letter_ = inCase(letter_);
    if (rows_.empty()) return;
    // The rows change their case; the selected drive stays selected and nothing is reported.
    const int selected = selected_;
    BuildDriveList();
    selected_ = selected < static_cast<int>(rows_.size()) ? selected : -1;
    viewChanged();
}

void DriveSelector::SetDirList(DirectoryList* list) {
    if (dirList_ == list) return;
    if (dirList_ != nullptr) dirList_->link_ = nullptr;
    if (list != nullptr) {
        if (list->link_ != nullptr) list->link_->dirList_ = nullptr;
        list->link_ = this;
        list->setDriveTableSource(source_);
    }
    dirList_ = list;
}

void DriveSelector::BuildDriveList() {
    const DriveTable table = source_();
    std::vector<Drive> drives = table.drives();
    std::sort(drives.begin(), drives.end(),
              [](const Drive& a, const Drive& b) { return a.letter < b.letter; });
    rows_.clear();
    selected_ = -1;
    for (const Drive& drive : drives) {
        rows_.push_back({DriveTable::rowText(drive, textCase_), drive.type});
    }
    viewChanged();
}

void DriveSelector::SelectDrive(QChar letter) {
    if (selected_ >= 0 && letter.toLower() == letter_.toLower()) return;
    if (letter.isNull()) {
        letter_ = QChar();
        selected_ = -1;
        viewChanged();
    } else {
        showDrive(letter);
    }
    if (dirList_ != nullptr) dirList_->SwitchDrive(letter_);
    if (OnChange) OnChange();
}

void DriveSelector::Pick(int row) {
    if (row < 0 || row >= static_cast<int>(rows_.size()) || rows_[row].text.isEmpty()) return;
    SelectDrive(rows_[row].text[0]);
    if (OnChange) OnChange();
}

void DriveSelector::showDrive(QChar letter) {
    letter_ = inCase(letter);
    for (int row = 0; row < static_cast<int>(rows_.size()); ++row) {
        const QString& text = rows_[row].text;
        if (text.size() >= 2 && text[0].toLower() == letter.toLower() && text[1] == u':') {
            selected_ = row;
            break;
        }
    }
    viewChanged();
}

QChar DriveSelector::inCase(QChar letter) const {
    return textCase_ == TextCase::UpperCase ? letter.toUpper() : letter.toLower();
}

void DriveSelector::viewChanged() {
    if (ViewChanged) ViewChanged();
}

}  // namespace tabulist
