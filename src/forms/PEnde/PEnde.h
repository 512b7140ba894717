#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

namespace tabulist {

class TBevelPanel;

// The question on exit: save the changed options, leave without saving, or stay.
// The buttons only set ExitChoice (ExitQuestion.h) and close; FormClose acts on it.
class TPEDialog : public QDialog {
    Q_OBJECT

public:
    explicit TPEDialog(QWidget* parent = nullptr);

    TBevelPanel* Panel1;
    TBevelPanel* Panel2;
    QLabel* Image1;
    QLabel* Label1;
    QLabel* Label3;
    QPushButton* BitBtn1;  // "&Yes", default button
    QPushButton* BitBtn2;  // "&No", pressed by Escape
    QPushButton* BitBtn3;  // "&Cancel"
    QPushButton* BitBtn4;  // "&Help"

    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tabulist
