#pragma once

#include <QStatusBar>
#include <QString>
#include <array>

namespace tabulist {

// The status bar: four panels of 150, 100, 100 pixels and the rest, each with a
// lowered bevel, drawn by the bar itself so that setting a text costs one repaint.
class TStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit TStatusBar(QWidget* parent = nullptr);

    QString PanelText(int index) const;
    void SetPanelText(int index, const QString& text);
    QRect PanelRect(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::array<QString, 4> texts_;
};

}  // namespace tabulist
