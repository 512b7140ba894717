// TRadioGroupBox, the main window's captioned radio group.
#include "forms/Hauptfenster/RadioGroupBox.h"

#include <QGridLayout>

namespace tabulist {

TRadioGroupBox::TRadioGroupBox(const QString& caption, const QStringList& items, int columns,
                               QWidget* parent)
    : QGroupBox(caption, parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 0, 4, 0);  // two rows of 11-pixel text below the caption
    grid->setSpacing(0);
    const int rows = (int(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_.addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    connect(&buttons_, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == lastIndex_) return;
        lastIndex_ = id;
        if (OnClick) OnClick();
    });
}

void TRadioGroupBox::SetItemIndex(int index) {
    if (QAbstractButton* button = buttons_.button(index)) {
        button->setChecked(true);
    } else if (QAbstractButton* checked = buttons_.checkedButton()) {
        buttons_.setExclusive(false);
        checked->setChecked(false);
        buttons_.setExclusive(true);
    }
    lastIndex_ = buttons_.checkedId();
}

QRadioButton* TRadioGroupBox::Item(int index) const {
    return qobject_cast<QRadioButton*>(buttons_.button(index));
}

}  // namespace tabulist
