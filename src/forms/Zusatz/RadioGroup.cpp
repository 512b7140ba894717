// TRadioGroup, the untitled radio columns of the more-options dialog.
#include "forms/Zusatz/RadioGroup.h"

#include <QRadioButton>

namespace tabulist {

TRadioGroup::TRadioGroup(QWidget* parent, const QStringList& items) : QGroupBox(parent) {
    // Items share the height below the frame's top edge evenly, like the classic radio group.
    constexpr int top = 8;
    constexpr int itemHeight = 17;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setGeometry(8, top + i * itemHeight, 64, itemHeight);
        group_.addButton(button, i);
    }
}

int TRadioGroup::itemIndex() const { return group_.checkedId(); }

void TRadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = group_.button(index)) {
        button->setChecked(true);
        return;
    }
    // No item: exclusive groups refuse to uncheck their last button, so lift that briefly.
    if (QAbstractButton* checked = group_.checkedButton()) {
        group_.setExclusive(false);
        checked->setChecked(false);
        group_.setExclusive(true);
    }
}

}  // namespace tabulist
