#pragma once

#include <QListWidget>
#include <functional>

#include "platform/DirectoryList.h"

namespace tabulist {

// The directory list: root, ancestors, the current directory and its subdirectories.
// Single selection; a click or keyboard move reports OnClick, a double-click or Enter
// moves into the highlighted row.
class TDirectoryListBox : public QListWidget {
    Q_OBJECT
public:
    explicit TDirectoryListBox(QWidget* parent = nullptr);
    ~TDirectoryListBox() override;

    QString CurrentDirectory() const;
    QByteArray CurrentDirectoryRaw() const;
    int RowCount() const;
    bool Selected(int row) const;    // throws EListError(row) when row >= RowCount()
    QString RowPath(int row) const;  // "" past the end
    QByteArray RowRawPath(int row) const;
    void OpenDirectory(const QString& path);        // throws EInOutError on a failed move
    void OpenDirectory(const QByteArray& rawPath);  // the same by the path's own bytes
    void SwitchDrive(QChar letter);
    void BuildDirectoryRows();
    void setDriveTableSource(std::function<DriveTable()> source);

    DirectoryList& model() { return model_; }
    const DirectoryList& model() const { return model_; }

    std::function<void()> OnChange;
    std::function<void()> OnClick;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void syncView();
    void userMoved();

    DirectoryList model_;
    bool swallowRelease_ = false;
};

}  // namespace tabulist
