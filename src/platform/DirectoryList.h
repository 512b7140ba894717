#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <functional>
#include <map>
#include <vector>

#include "platform/DriveTable.h"
#include "platform/WorkingDirectory.h"  // ReadWorkingDirectory, for the list's users

namespace tabulist {

class DriveSelector;

enum class DirRowKind { Root, Ancestor, Current, Subdirectory };

struct DirRow {
    DirRowKind kind;
    QString text;    // as shown
    QByteArray raw;  // the name's bytes (the mount point for the root row)
};

// The directory list without its window: the current directory (the process's working
// directory), its rows and the highlighted row. Every move is chdir and getcwd read back.
class DirectoryList {
public:
    using TableSource = std::function<DriveTable()>;

    // CurrentDirectory := the working directory; no rows until BuildDirectoryRows.
    explicit DirectoryList(TableSource source = &DriveTable::system);
    ~DirectoryList();
    DirectoryList(const DirectoryList&) = delete;
    DirectoryList& operator=(const DirectoryList&) = delete;

    void setDriveTableSource(TableSource source);

    QString CurrentDirectory() const;
    const QByteArray& CurrentDirectoryRaw() const { return current_; }
    QChar driveLetter() const { return drive_; }  // the drive the list is on, lower case

    const std::vector<DirRow>& rows() const { return rows_; }
    int RowCount() const { return static_cast<int>(rows_.size()); }
    int highlighted() const { return highlighted_; }  // -1 for none
    // Throws EListError(row) for a row at or past the last.
    bool Selected(int row) const;
    // The full path a row stands for; "" past the end.
    QString RowPath(int row) const;
    QByteArray RowRawPath(int row) const;
    // Indent in pixels of a row as drawn.
    int rowIndent(int row) const;

    // A move: throws EInOutError when the directory cannot be entered, leaving
    // CurrentDirectory, rows and highlight as they were and firing nothing.
    void OpenDirectory(const QString& path);
    void OpenDirectory(const QByteArray& rawPath);
    void SwitchDrive(QChar letter);
    void BuildDirectoryRows();

    // User input: a click or keyboard move highlights a row and fires OnClick;
    // a double-click or Enter opens the highlighted row.
    void UserHighlight(int row);
    void OpenHighlighted();
    // The highlight set from code, without notification.
    void setHighlighted(int row);

    std::function<void()> OnChange;
    std::function<void()> OnClick;
    // For the view: rows or highlight changed (fired before OnChange).
    std::function<void()> ViewChanged;

    DriveSelector* link() const { return link_; }

private:
    friend class DriveSelector;
    const Drive* listDrive(const DriveTable& table) const;
    void moveTo(const QByteArray& rawPath);
    void viewChanged();

    TableSource source_;
    QByteArray current_;
    QChar drive_;
    QByteArray root_;  // mount point of the drive at the last rebuild
    std::vector<DirRow> rows_;
    int highlighted_ = -1;
    int currentRow_ = -1;
    std::map<QChar, QByteArray> remembered_;  // per drive, for this run
    DriveSelector* link_ = nullptr;
};

}  // namespace tabulist
