// The directory list's model: rows from the root to the subdirectories of the current one.
#include "platform/DirectoryList.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <cerrno>

#include "platform/DriveSelector.h"
#include "platform/Entries.h"
#include "platform/Errors.h"
#include "platform/NameCoding.h"
#include "platform/WorkingDirectory.h"

namespace tabulist {

namespace {

QByteArray JoinPath(const QByteArray& dir, const QByteArray& name) {
    return dir.endsWith('/') ? dir + name : dir + '/' + name;
}

bool UnderRoot(const QByteArray& path, const QByteArray& root) {
    // A root that ends in its separator: "/", or a drive's "C:/".
    if (root.endsWith('/')) return path.startsWith(root);
    return path == root || path.startsWith(root + '/');
}

// The subdirectories a list shows: no hidden ones, no "." or "..". Linux names are
// case-sensitive, so names that differ only in case are both kept: the order ignores
// case and falls back to the bytes.
std::vector<DirRow> Subdirectories(const QByteArray& dir) {
    std::vector<DirRow> subdirs;
    TSearchRec rec;
    for (int code = OpenEntryScan(dir, QStringLiteral("*.*"), AttrDirectory, rec); code == 0;
         code = NextScanEntry(rec)) {
        if ((rec.Attr & AttrDirectory) == 0 || rec.RawName == "." || rec.RawName == "..") continue;
        subdirs.push_back({DirRowKind::Subdirectory, rec.Name, rec.RawName});
    }
    CloseEntryScan(rec);

    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(subdirs.begin(), subdirs.end(), [&](const DirRow& a, const DirRow& b) {
        const int order = collator.compare(a.text, b.text);
        return order != 0 ? order < 0 : a.raw < b.raw;
    });
    subdirs.erase(std::unique(subdirs.begin(), subdirs.end(),
                              [](const DirRow& a, const DirRow& b) { return a.raw == b.raw; }),
                  subdirs.end());
    return subdirs;
}

}  // namespace

DirectoryList::DirectoryList(TableSource source)
    : source_(std::move(source)), current_(ReadWorkingDirectory()) {
    const DriveTable table = source_();
    if (const Drive* drive = table.driveOf(QFile::decodeName(current_))) drive_ = drive->letter;
}

DirectoryList::~DirectoryList() {
    if (link_ != nullptr) link_->dirList_ = nullptr;
}

void DirectoryList::setDriveTableSource(TableSource source) {
    source_ = std::move(source);
    // Before the first rows the drive still comes from the working directory alone.
    const DriveTable table = source_();
    const Drive* drive =
        rows_.empty() ? table.driveOf(QFile::decodeName(current_)) : listDrive(table);
    drive_ = drive != nullptr ? drive->letter : QChar();
}

QString DirectoryList::CurrentDirectory() const { return DisplayName(current_); }

bool DirectoryList::Selected(int row) const {
    if (row < 0 || row >= RowCount()) throw EListError(row);
    return row == highlighted_;
}

QByteArray DirectoryList::RowRawPath(int row) const {
    if (row < 0 || row >= RowCount()) return {};
    const DirRow& r = rows_[row];
    if (row == 0) return root_;
    switch (r.kind) {
        case DirRowKind::Subdirectory:
            return JoinPath(current_, r.raw);
        case DirRowKind::Current:
            return current_;
        default: {
            QByteArray path = root_;
            for (int i = 1; i <= row; ++i) path = JoinPath(path, rows_[i].raw);
            return path;
        }
    }
}

QString DirectoryList::RowPath(int row) const { return DisplayName(RowRawPath(row)); }

int DirectoryList::rowIndent(int row) const {
    if (row < 0 || row >= RowCount()) return 0;
    // Subdirectories sit one step right of the current row.
    if (rows_[row].kind == DirRowKind::Subdirectory) return 4 * currentRow_ + 6;
    return 4 * row + 2;
}

const Drive* DirectoryList::listDrive(const DriveTable& table) const {
    // A folder belongs to the drive of its innermost mount, also when the list got
    // there from another drive: the header and the per cent lines describe that
    // file system, as the command-line lister's do.
    return table.driveOf(QFile::decodeName(current_));
}

void DirectoryList::moveTo(const QByteArray& rawPath) {
    ChangeWorkingDirectory(rawPath);
    QByteArray now;
    try {
        now = ReadWorkingDirectory();
    } catch (...) {
        // Nothing better to return to when this fails: the error below says what went wrong.
        TryChangeWorkingDirectory(current_);
        throw;
    }
    current_ = now;
}

void DirectoryList::OpenDirectory(const QString& path) {
    // A path handed back from RowPath reaches the file by its row's own bytes.
    for (int row = 0; row < RowCount(); ++row) {
        if (RowPath(row) == path) return OpenDirectory(RowRawPath(row));
    }
    OpenDirectory(QFile::encodeName(path));
}

void DirectoryList::OpenDirectory(const QByteArray& rawPath) {
    QByteArray path = rawPath;
    while (path.size() > 1 && path.endsWith('/')) path.chop(1);
    if (path.isEmpty() || path == current_) return;
    const QChar before = drive_;
    const QByteArray left = current_;
    moveTo(path);
    const DriveTable table = source_();
    if (const Drive* drive = listDrive(table)) {
        drive_ = drive->letter;
        remembered_[drive_] = current_;
    }
    if (!before.isNull() && drive_ != before) remembered_[before] = left;
    BuildDirectoryRows();
    // Into (or out of) a mount: the selector shows the drive before the listing runs,
    // and reports the change of drive after it, as a pick of that drive would.
    const bool otherDrive = link_ != nullptr && !before.isNull() && drive_ != before;
    if (otherDrive) link_->showDrive(drive_);
    if (OnChange) OnChange();
    if (otherDrive && link_ != nullptr && link_->OnChange) link_->OnChange();
}

void DirectoryList::SwitchDrive(QChar letter) {
    if (!letter.isNull()) {
        if (letter.toLower() == drive_) return;
        const DriveTable table = source_();
        const Drive* drive = table.byLetter(letter);
        if (drive == nullptr) throw InOutErrorFromErrno(ENOENT);
        if (!drive_.isNull()) remembered_[drive_] = current_;
        const auto it = remembered_.find(drive->letter);
        if (it == remembered_.end()) {
            moveTo(QFile::encodeName(drive->root));
        } else {
            // A remembered directory that has gone since must not lock the drive out.
            try {
                moveTo(it->second);
            } catch (const EInOutError&) {
                moveTo(QFile::encodeName(drive->root));
            }
        }
        drive_ = drive->letter;
        remembered_[drive_] = current_;
    }
    BuildDirectoryRows();
    if (OnChange) OnChange();
}

void DirectoryList::BuildDirectoryRows() {
    const DriveTable table = source_();
    const Drive* drive = listDrive(table);
    root_ = drive != nullptr ? QFile::encodeName(drive->root) : QByteArray("/");
    if (drive != nullptr) drive_ = drive->letter;

    std::vector<DirRow> rows;
    const QByteArray rootText = root_.endsWith('/') ? root_ : root_ + '/';
    // Shown with the system's separator: "C:\" on Windows.
    rows.push_back({DirRowKind::Root, QDir::toNativeSeparators(DisplayName(rootText)), root_});
    const QByteArray rest = UnderRoot(current_, root_) ? current_.mid(root_.size()) : current_;
    for (const QByteArray& part : rest.split('/')) {
        if (!part.isEmpty()) rows.push_back({DirRowKind::Ancestor, DisplayName(part), part});
    }
    rows.back().kind = DirRowKind::Current;
    const int currentRow = static_cast<int>(rows.size()) - 1;
    for (DirRow& subdir : Subdirectories(current_)) rows.push_back(std::move(subdir));

    rows_ = std::move(rows);
    currentRow_ = currentRow;
    highlighted_ = currentRow;
    viewChanged();
}

void DirectoryList::UserHighlight(int row) {
    if (row < 0 || row >= RowCount()) return;
    highlighted_ = row;
    if (OnClick) OnClick();
}

void DirectoryList::OpenHighlighted() {
    if (highlighted_ >= 0) OpenDirectory(RowRawPath(highlighted_));
}

void DirectoryList::setHighlighted(int row) {
    highlighted_ = (row >= 0 && row < RowCount()) ? row : -1;
    viewChanged();
}

void DirectoryList::viewChanged() {
    if (ViewChanged) ViewChanged();
}

}  // namespace tabulist
