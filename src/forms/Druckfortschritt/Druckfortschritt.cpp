// TDrucken, the print progress window, and its cancel flag.
#include "forms/Druckfortschritt/Druckfortschritt.h"

#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tabulist {

bool PrintCancelled = false;

TDrucken::TDrucken(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("Drucken"));
    setWindowTitle(QStringLiteral("Drucken"));
    setFixedSize(230, 129);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Label1 = new QLabel(QStringLiteral("Tabulist is printing the directory..."), Panel1);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont bold = Label1->font();
    bold.setBold(true);
    Label1->setFont(bold);
    Label1->setAlignment(Qt::AlignCenter);
    // The window keeps its small fixed size whatever the font: the text wraps instead.
    Label1->setWordWrap(true);
    ProgressBar1 = new QProgressBar(Panel1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    auto* upper = new QVBoxLayout(Panel1);
    upper->addWidget(Label1);
    upper->addWidget(ProgressBar1);

    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    BitBtn1 = new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton),
                              QStringLiteral("Cancel"), Panel2);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setAutoDefault(false);
    auto* lower = new QHBoxLayout(Panel2);
    lower->setContentsMargins(0, 0, 0, 0);
    lower->addStretch();
    lower->addWidget(BitBtn1);
    lower->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(Panel1, 1);
    layout->addWidget(Panel2);

    connect(BitBtn1, &QPushButton::clicked, this, &TDrucken::BitBtn1Click);
}

void TDrucken::BitBtn1Click() {
    PrintCancelled = true;
    hide();
}

void TDrucken::reject() { BitBtn1Click(); }

}  // namespace tabulist
