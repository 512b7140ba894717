// TStatusBar, the main window's four status panels.
#include "forms/Hauptfenster/StatusPanels.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

namespace tabulist {

namespace {
constexpr int PanelRight[3] = {150, 250, 350};
constexpr int BarHeight = 19;
}  // namespace

TStatusBar::TStatusBar(QWidget* parent) : QStatusBar(parent) {
    setSizeGripEnabled(true);
    setFixedHeight(BarHeight);
    texts_ = {QStringLiteral("Date"), QString(), QString(), QStringLiteral("Path")};
    repaintLater_.setSingleShot(true);
    connect(&repaintLater_, &QTimer::timeout, this, [this] { update(); });
    sinceRepaint_.start();
}

QString TStatusBar::PanelText(int index) const { return texts_.at(size_t(index)); }

void TStatusBar::SetPanelText(int index, const QString& text) {
    QString& slot = texts_.at(size_t(index));
    if (slot == text) return;
    slot = text;
    ScheduleRepaint();
}

void TStatusBar::ScheduleRepaint() {
    if (repaintLater_.isActive()) return;
    const qint64 since = sinceRepaint_.elapsed();
    if (since >= RepaintMs)
        update();
    else
        repaintLater_.start(int(RepaintMs - since));
}

QRect TStatusBar::PanelRect(int index) const {
    const int left = index == 0 ? 0 : PanelRight[index - 1];
    // The last panel reaches to the size grip.
    const int right = index < 3 ? PanelRight[index] : width() - BarHeight;
    return QRect(left, 0, std::max(0, right - left), height());
}

void TStatusBar::paintEvent(QPaintEvent*) {
    sinceRepaint_.restart();
    QPainter painter(this);
    for (int i = 0; i < 4; ++i) {
        const QRect r = PanelRect(i).adjusted(0, 1, -2, 0);
        qDrawShadePanel(&painter, r, palette(), true, 1);
        const Qt::Alignment align = (i < 2 ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignVCenter;
        painter.setClipRect(r.adjusted(2, 1, -2, -1));
        painter.drawText(r.adjusted(3, 1, -3, -1), int(align | Qt::TextSingleLine),
                         texts_[size_t(i)]);
        painter.setClipping(false);
    }
}

}  // namespace tabulist
