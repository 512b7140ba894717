#pragma once

#include <QComboBox>
#include <QPointer>
#include <functional>

#include "platform/DriveSelector.h"

namespace tabulist {

class TDirectoryListBox;

// The drive selector: a drop-down list of the drives present; its text cannot be typed.
class TDriveComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TDriveComboBox(QWidget* parent = nullptr);
    ~TDriveComboBox() override;

    QChar DriveLetter() const;  // null QChar for none
    QString Text() const;       // the selected row's text, "" before the first build
    TextCase textCase() const;
    void setTextCase(TextCase textCase);

    void SetDirList(TDirectoryListBox* list);
    TDirectoryListBox* DirList() const;

    void SelectDrive(QChar letter);
    void BuildDriveList();
    void setDriveTableSource(std::function<DriveTable()> source);

    DriveSelector& model() { return model_; }
    const DriveSelector& model() const { return model_; }

    std::function<void()> OnChange;

protected:
    // The first build and SelectDrive(DriveLetter) happen when the widget is first shown.
    void showEvent(QShowEvent* event) override;

private:
    void picked(int index);
    void syncView();

    DriveSelector model_;
    QPointer<TDirectoryListBox> dirList_;
    bool created_ = false;
};

}  // namespace tabulist
