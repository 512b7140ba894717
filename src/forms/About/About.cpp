// TInfo, the about dialog, and the program icon it shares with the main window.
#include "forms/About/About.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QLabel>

#include "forms/DialogParts/DialogParts.h"
#include "forms/ProjectInfo.h"

// The icon lives in a static library, whose resources are not registered on their own.
static void InitAboutResources() { Q_INIT_RESOURCE(About); }

namespace tabulist {

std::function<void(const QUrl&)> TInfo::OpenUrl = [](const QUrl& url) {
    // Whether a program took the address is not reported.
    QDesktopServices::openUrl(url);
};

QPixmap ProgramIcon() {
    // The main window asks for it before any dialog exists.
    static const bool ready = (InitAboutResources(), true);
    (void)ready;
    return QPixmap(QStringLiteral(":/about/program-icon.xpm"));
}

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& text, const QColor& color, int pixels,
                  bool bold) {
    auto* label = new QLabel(text, parent);
    QFont font = label->font();
    if (pixels > 0) font.setPixelSize(pixels);
    font.setBold(bold);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    label->adjustSize();
    return label;
}

// Our credit texts differ from the ones the layout was drawn for, so they are centred.
QLabel* MakeCreditLine(QWidget* parent, const char* text, int top, bool bold) {
    QLabel* label = MakeLabel(parent, QString::fromUtf8(text), Qt::black, 0, bold);
    label->move((parent->width() - label->width()) / 2, top);
    return label;
}

QPushButton* MakeAddressButton(QWidget* parent, const QString& caption, int top) {
    QPushButton* button = MakeBitBtn(parent, caption, QString(), 18, top, 207, 23);
    QFont font = button->font();
    font.setBold(true);
    button->setFont(font);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(0, 0, 0x80));
    button->setPalette(palette);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

void TurnRed(QPushButton* button) {
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, QColor(255, 0, 0));
    button->setPalette(palette);
}

}  // namespace

TInfo::TInfo(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Info"));
    MakeFixedDialog(this, QStringLiteral("Info"), 239, 242);

    Panel1 = new TBevelPanel(this, TBevelPanel::Raised, TBevelPanel::Lowered, 1, 2);
    Panel1->setColor(QColor(0, 0x80, 0x80));
    Panel1->setGeometry(0, 0, 239, 242 - 33);
    Image1 = new QLabel(Panel1);
    Image1->setPixmap(ProgramIcon());
    Image1->setGeometry(16, 24, 32, 32);
    Label1 = MakeLabel(Panel1, QStringLiteral("Tabulist"), Qt::yellow, 24, true);
    Label1->move(72, 16);
    Label2 = MakeLabel(Panel1, QStringLiteral("Version 2.1e"), Qt::blue, 19, true);
    Label2->move(66, 44);
    Label3 = MakeCreditLine(Panel1, project::CreditLine, 78, false);
    Label9 = MakeCreditLine(Panel1, project::MakerName, 94, true);
    Label4 = MakeCreditLine(Panel1, project::Street, 110, false);
    Label5 = MakeCreditLine(Panel1, project::Town, 126, false);
    BitBtn2 = MakeAddressButton(
        Panel1, QStringLiteral("eMail: ") + QString::fromUtf8(project::EMailAddress), 146);
    BitBtn3 = MakeAddressButton(
        Panel1, QStringLiteral("Internet: ") + QString::fromUtf8(project::WebAddress), 174);

    Panel2 = new TBevelPanel(this, TBevelPanel::Raised, TBevelPanel::None, 1, 0);
    Panel2->setColor(palette().color(QPalette::Button));
    Panel2->setGeometry(0, 242 - 33, 239, 33);
    BitBtn1 = MakeBitBtn(Panel2, QStringLiteral("OK"), QStringLiteral(":/dialog-parts/tick.xpm"),
                         86, 4, 75, 25);
    BitBtn1->setCursor(Qt::PointingHandCursor);
    BitBtn1->setDefault(true);

    connect(BitBtn2, &QPushButton::clicked, this, &TInfo::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TInfo::BitBtn3Click);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
}

void TInfo::BitBtn2Click() {
    OpenUrl(QUrl(QStringLiteral("mailto:") + QString::fromUtf8(project::EMailAddress)));
    TurnRed(BitBtn2);
}

void TInfo::BitBtn3Click() {
    OpenUrl(QUrl(QString::fromUtf8(project::WebAddress)));
    TurnRed(BitBtn3);
}

void TInfo::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        CentreOnScreen(this);
        BitBtn1->setFocus();
    }
    QDialog::showEvent(event);
}

void TInfo::keyPressEvent(QKeyEvent* event) {
    // Without a cancel button Escape does nothing.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tabulist
