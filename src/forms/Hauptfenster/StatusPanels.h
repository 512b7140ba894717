#pragma once

#include <QElapsedTimer>
#include <QStatusBar>
#include <QString>
#include <QTimer>
#include <array>

namespace tabulist {

// The status bar: four panels of 150, 100, 100 pixels and the rest, each with a
// lowered bevel, drawn by the bar itself.
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
    void ScheduleRepaint();

    std::array<QString, 4> texts_;
    // A listing changes panel 2 ten thousand times a minute; painting that often costs
    // more than the listing, so repaints come at most every RepaintMs.
    static constexpr int RepaintMs = 40;
    QElapsedTimer sinceRepaint_;
    QTimer repaintLater_;
};

}  // namespace tabulist
