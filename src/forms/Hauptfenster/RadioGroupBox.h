#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QStringList>
#include <functional>

namespace tabulist {

// A captioned group of radio buttons laid out in columns. OnClick runs when the
// user picks another item, never when code sets the index.
class TRadioGroupBox : public QGroupBox {
    Q_OBJECT
public:
    TRadioGroupBox(const QString& caption, const QStringList& items, int columns,
                   QWidget* parent = nullptr);

    int ItemIndex() const { return buttons_.checkedId(); }
    void SetItemIndex(int index);
    QRadioButton* Item(int index) const;

    std::function<void()> OnClick;

private:
    QButtonGroup buttons_;
    int lastIndex_ = -1;
};

}  // namespace tabulist
