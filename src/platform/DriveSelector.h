#pragma once

#include <QChar>
#include <QString>
#include <functional>
#include <vector>

#include "platform/DriveTable.h"

namespace tabulist {

class DirectoryList;

struct DriveRow {
    QString text;  // "c: [label]", "e:", "f: //server/share"
    DriveType type;
};

// The drive selector without its window: the drives present, the selected one and
// the link to the directory list that follows it.
class DriveSelector {
public:
    using TableSource = std::function<DriveTable()>;

    // DriveLetter := the drive of the working directory; no rows until BuildDriveList.
    explicit DriveSelector(TableSource source = &DriveTable::system);
    ~DriveSelector();
    DriveSelector(const DriveSelector&) = delete;
    DriveSelector& operator=(const DriveSelector&) = delete;

    // Also handed to the linked list, so both see the same drives.
    void setDriveTableSource(TableSource source);

    QChar DriveLetter() const { return letter_; }  // null for none
    QString Text() const;                          // "" when no row is selected
    TextCase textCase() const { return textCase_; }
    void setTextCase(TextCase textCase);

    const std::vector<DriveRow>& rows() const { return rows_; }
    int selectedRow() const { return selected_; }  // -1 for none

    DirectoryList* DirList() const { return dirList_; }
    void SetDirList(DirectoryList* list);

    void BuildDriveList();
    void SelectDrive(QChar letter);
    // The user picked a row: SelectDrive with its letter, then OnChange once more.
    void Pick(int row);

    std::function<void()> OnChange;
    // For the view: rows or selection changed.
    std::function<void()> ViewChanged;

private:
    friend class DirectoryList;
    QChar inCase(QChar letter) const;
    // Selects the drive's row without moving the list or reporting anything.
    void showDrive(QChar letter);
    void viewChanged();

    TableSource source_;
    QChar letter_;
    TextCase textCase_ = TextCase::LowerCase;
    std::vector<DriveRow> rows_;
    int selected_ = -1;
    DirectoryList* dirList_ = nullptr;
};

}  // namespace tabulist
