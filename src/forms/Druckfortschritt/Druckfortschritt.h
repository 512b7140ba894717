#pragma once

#include <QDialog>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;

namespace tabulist {

// Set by the progress window's Cancel button, cleared by every print command.
extern bool PrintCancelled;

// The print progress window "Drucken": shown, not modal, while a listing prints.
class TDrucken : public QDialog {
    Q_OBJECT
public:
    explicit TDrucken(QWidget* parent = nullptr);

    QFrame* Panel1;
    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QFrame* Panel2;
    QPushButton* BitBtn1;

    // Cancel: sets PrintCancelled and hides the window.
    void BitBtn1Click();

protected:
    // Esc and the window system's close both stand for Cancel.
    void reject() override;
};

}  // namespace tabulist
