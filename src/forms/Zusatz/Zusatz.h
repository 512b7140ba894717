#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace tabulist {

class TBevelPanel;
class TRadioGroup;

// Which header and footer lines the listing report adds. Shows the nine fields of
// SavedOptions each time it is shown; OK writes them back and sets OptionsChanged.
// Escape does nothing here: only the buttons and the close box close it.
// While subfolders are listed, TreePanel below the buttons adds the whole-tree options of
// AddedOptions and the dialog grows by its height; otherwise it is not there at all.
class TZusatzformular : public QDialog {
    Q_OBJECT

public:
    explicit TZusatzformular(QWidget* parent = nullptr);

    TBevelPanel* Panel1;
    TBevelPanel* Panel2;
    QCheckBox* CheckBox1;  // name of the drive
    QCheckBox* CheckBox2;  // drive information, master of its group
    QLabel* Label3;
    TRadioGroup* RadioGroup2;  // unit of the drive information
    QLabel* Label4;
    QCheckBox* CheckBox7;  // drive per cent
    QCheckBox* CheckBox3;  // path
    QCheckBox* CheckBox4;  // file count
    QCheckBox* CheckBox5;  // total size, master of its group
    QLabel* Label1;
    TRadioGroup* RadioGroup1;  // unit of the total size
    QLabel* Label2;
    QCheckBox* CheckBox6;  // total size per cent
    QPushButton* BitBtn1;  // "OK", default button
    QPushButton* BitBtn2;  // "Cancel"
    QPushButton* BitBtn3;  // "&Help"

    // Additions: the whole-tree options.
    TBevelPanel* TreePanel;      // shown while subfolders are listed
    QCheckBox* FolderTotalsBox;  // footer lines after each folder
    QLabel* DepthLabel;
    QSpinBox* DepthBox;  // depth of subfolders, -1 for no limit

    void FormShow();
    void CheckBox2Click();
    void CheckBox5Click();
    void BitBtn1Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tabulist
