#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

namespace tabulist {

// A framed column (no title) of radio buttons with one item index, -1 for none.
class TRadioGroup : public QGroupBox {
    Q_OBJECT

public:
    TRadioGroup(QWidget* parent, const QStringList& items);

    int itemIndex() const;
    void setItemIndex(int index);
    int count() const { return static_cast<int>(group_.buttons().size()); }

private:
    QButtonGroup group_;
};

}  // namespace tabulist
