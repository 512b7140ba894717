// TDirectoryListBox, the directory list widget over DirectoryList.
#include "platform/widgets/DirectoryListBox.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/widgets/SelectorGlyphs.h"
#include "platform/widgets/SelectorRowDelegate.h"

namespace tabulist {

TDirectoryListBox::TDirectoryListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setUniformItemSizes(true);
    setItemDelegate(new SelectorRowDelegate(SelectorRowDelegate::Rows::Directories, this));
    setCursor(Qt::PointingHandCursor);
    viewport()->setCursor(Qt::PointingHandCursor);
    model_.ViewChanged = [this] { syncView(); };
    model_.OnChange = [this] {
        if (OnChange) OnChange();
    };
    model_.OnClick = [this] {
        if (OnClick) OnClick();
    };
}

TDirectoryListBox::~TDirectoryListBox() {
    model_.ViewChanged = nullptr;
    model_.OnChange = nullptr;
    model_.OnClick = nullptr;
}

QString TDirectoryListBox::CurrentDirectory() const { return model_.CurrentDirectory(); }
QByteArray TDirectoryListBox::CurrentDirectoryRaw() const { return model_.CurrentDirectoryRaw(); }
int TDirectoryListBox::RowCount() const { return model_.RowCount(); }
bool TDirectoryListBox::Selected(int row) const { return model_.Selected(row); }
QString TDirectoryListBox::RowPath(int row) const { return model_.RowPath(row); }
QByteArray TDirectoryListBox::RowRawPath(int row) const { return model_.RowRawPath(row); }
void TDirectoryListBox::OpenDirectory(const QString& path) { model_.OpenDirectory(path); }
void TDirectoryListBox::OpenDirectory(const QByteArray& rawPath) { model_.OpenDirectory(rawPath); }
void TDirectoryListBox::SwitchDrive(QChar letter) { model_.SwitchDrive(letter); }
void TDirectoryListBox::BuildDirectoryRows() { model_.BuildDirectoryRows(); }

void TDirectoryListBox::setDriveTableSource(std::function<DriveTable()> source) {
    model_.setDriveTableSource(std::move(source));
}

void TDirectoryListBox::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    // Rows and the highlight of the current row come with the window; nothing is reported.
    if (model_.RowCount() == 0) model_.BuildDirectoryRows();
}

void TDirectoryListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        model_.OpenHighlighted();
        return;
    }
    QListWidget::keyPressEvent(event);
    userMoved();
}

void TDirectoryListBox::mousePressEvent(QMouseEvent* event) {
    // Only the left button picks a row; the others are left to the window (pop-up menu).
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    swallowRelease_ = false;
    QListWidget::mousePressEvent(event);
}

void TDirectoryListBox::mouseReleaseEvent(QMouseEvent* event) {
    QListWidget::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton) return;
    if (swallowRelease_) {
        // The release that ends a double-click is no click on the rows rebuilt since.
        swallowRelease_ = false;
        return;
    }
    const int row = indexAt(event->position().toPoint()).row();
    if (row >= 0 && row == currentRow()) {
        model_.UserHighlight(row);
    } else {
        userMoved();
    }
}

void TDirectoryListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || indexAt(event->position().toPoint()).row() < 0) {
        QListWidget::mouseDoubleClickEvent(event);
        return;
    }
    swallowRelease_ = true;
    event->accept();
    model_.OpenHighlighted();
}

void TDirectoryListBox::userMoved() {
    const int row = currentRow();
    if (row >= 0 && row != model_.highlighted()) model_.UserHighlight(row);
}

void TDirectoryListBox::syncView() {
    const QSignalBlocker blocker(this);
    setUpdatesEnabled(false);
    const auto& rows = model_.rows();
    clear();
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        auto* item = new QListWidgetItem(rows[i].text, this);
        item->setData(GlyphRole, FolderGlyphName(rows[i].kind));
        item->setData(IndentRole, model_.rowIndent(i));
    }
    setCurrentRow(model_.highlighted());
    setUpdatesEnabled(true);
}

}  // namespace tabulist
