// TPEDialog, the exit question dialog.
#include "forms/PEnde/PEnde.h"

#include <QKeyEvent>
#include <QLabel>

#include "forms/DialogParts/DialogParts.h"
#include "forms/Help.h"
#include "forms/PEnde/ExitQuestion.h"

// The picture lives in a static library, whose resources are not registered on their own.
static void InitPEndeResources() { Q_INIT_RESOURCE(PEnde); }

namespace tabulist {

namespace {

QFont BoldPixelFont(int pixels) {
    QFont font = DialogFont();
    font.setPixelSize(pixels);
    font.setBold(true);
    return font;
}

}  // namespace

TPEDialog::TPEDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PEDialog"));
    InitPEndeResources();
    MakeFixedDialog(this, QStringLiteral("Tabulist - Exit"), 377, 126);

    Panel1 = new TBevelPanel(this, TBevelPanel::Lowered, TBevelPanel::Lowered, 2, 0);
    Panel1->setColor(QColor(0xC0, 0xC0, 0xC0));
    Panel1->setGeometry(0, 0, 377, 80);
    Image1 = new QLabel(Panel1);
    Image1->setPixmap(QPixmap(QStringLiteral(":/pende/exit-picture.xpm")));
    Image1->setGeometry(20, 24, 32, 32);

    const QFont question = BoldPixelFont(16);
    QPalette black = palette();
    black.setColor(QPalette::WindowText, Qt::black);
    Label1 = new QLabel(QStringLiteral("The programoptions are changed -"), Panel1);
    Label3 = new QLabel(QStringLiteral("- now save ?"), Panel1);
    for (QLabel* label : {Label1, Label3}) {
        label->setFont(question);
        label->setPalette(black);
        label->adjustSize();
    }
    Label1->move(64, 16);
    Label3->move(168, 44);

    Panel2 = new TBevelPanel(this, TBevelPanel::Lowered, TBevelPanel::Lowered, 1, 0);
    Panel2->setGeometry(0, 80, 377, 46);
    BitBtn1 = MakeBitBtn(Panel2, QStringLiteral("&Yes"), QStringLiteral(":/dialog-parts/tick.xpm"),
                         8, 11, 85, 25);
    BitBtn2 = MakeBitBtn(Panel2, QStringLiteral("&No"), QStringLiteral(":/dialog-parts/no.xpm"), 99,
                         11, 85, 25);
    BitBtn3 = MakeBitBtn(Panel2, QStringLiteral("&Cancel"),
                         QStringLiteral(":/dialog-parts/cross.xpm"), 190, 11, 85, 25);
    BitBtn4 = MakeBitBtn(Panel2, QStringLiteral("&Help"), QString(), 281, 11, 85, 25);
    for (QPushButton* button : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        button->setFont(BoldPixelFont(13));
    BitBtn1->setDefault(true);

    connect(BitBtn1, &QPushButton::clicked, this, &TPEDialog::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TPEDialog::BitBtn2Click);
    connect(BitBtn3, &QPushButton::clicked, this, &TPEDialog::BitBtn3Click);
    connect(BitBtn4, &QPushButton::clicked, this, &TPEDialog::BitBtn4Click);
}

void TPEDialog::BitBtn1Click() {
    ExitChoice = ExitSave;
    accept();
}

void TPEDialog::BitBtn2Click() {
    ExitChoice = ExitNoSave;
    accept();
}

void TPEDialog::BitBtn3Click() {
    ExitChoice = ExitStay;
    accept();
}

void TPEDialog::BitBtn4Click() { ShowHelpContext(6); }

void TPEDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    BitBtn1->setFocus();
}

void TPEDialog::keyPressEvent(QKeyEvent* event) {
    // Escape answers No; the close box (reject) leaves the answer at "stay".
    if (event->matches(QKeySequence::Cancel)) {
        BitBtn2->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace tabulist
