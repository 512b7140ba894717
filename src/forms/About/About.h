#pragma once

#include <QDialog>
#include <QPixmap>
#include <QUrl>
#include <functional>

class QLabel;
class QPushButton;

namespace tabulist {

class TBevelPanel;

// The program's name, version and credits, with buttons that hand the project's
// e-mail and web addresses to the desktop.
class TInfo : public QDialog {
    Q_OBJECT

public:
    explicit TInfo(QWidget* parent = nullptr);

    // How addresses reach the desktop; QDesktopServices::openUrl unless a test records them.
    static std::function<void(const QUrl&)> OpenUrl;

    TBevelPanel* Panel1;
    TBevelPanel* Panel2;
    QLabel* Image1;
    QLabel* Label1;  // "Tabulist"
    QLabel* Label2;  // "Version 2.1e"
    QLabel* Label3;
    QLabel* Label9;
    QLabel* Label4;
    QLabel* Label5;
    QPushButton* BitBtn2;  // e-mail
    QPushButton* BitBtn3;  // web
    QPushButton* BitBtn1;  // "OK", default button

    void BitBtn2Click();
    void BitBtn3Click();

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

// The program's icon, a printer and a disk drive on a teal ground; also the main window's.
QPixmap ProgramIcon();

}  // namespace tabulist
