// Where a new window goes: whole on the screen's available area, so that its title bar, and
// with it the close box, can be reached.
#include "forms/ScreenPlace.h"

#include <QApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tabulist {

namespace {

// What the window manager puts round a window: the widest frame of the shown windows, as a
// window only just shown may not know its own yet. Nothing without a window manager.
QMargins FrameOfShownWindows() {
    QMargins widest;
    for (const QWidget* shown : QApplication::topLevelWidgets()) {
        if (!shown->isVisible()) continue;
        const QRect outer = shown->frameGeometry();
        const QRect inner = shown->geometry();
        widest.setLeft(std::max(widest.left(), inner.left() - outer.left()));
        widest.setTop(std::max(widest.top(), inner.top() - outer.top()));
        widest.setRight(std::max(widest.right(), outer.right() - inner.right()));
        widest.setBottom(std::max(widest.bottom(), outer.bottom() - inner.bottom()));
    }
    return widest;
}

}  // namespace

void FitOnScreen(QWidget* window, QSize wanted, const QWidget* near, ScreenPlace place) {
    const bool nearShown = near != nullptr && near->isVisible();
    QScreen* screen = nearShown ? near->screen() : QApplication::primaryScreen();
    if (screen == nullptr) {
        window->resize(wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins frame = FrameOfShownWindows();
    const QSize outer = wanted.grownBy(frame).boundedTo(area.size());
    window->resize(outer.shrunkBy(frame));

    const QRect by = nearShown ? near->frameGeometry() : area;
    QRect at(QPoint(), outer);
    if (place == ScreenPlace::Beside) {
        at.moveLeft(by.right() + 1);
        at.moveTop(by.top());
        if (!area.contains(at)) {
            at.moveRight(by.left() - 1);
            if (!area.contains(at)) at.moveLeft(by.right() + 1);
        }
    } else {
        at.moveCenter(by.center());
    }
    at.moveLeft(std::clamp(at.left(), area.left(), area.right() + 1 - at.width()));
    at.moveTop(std::clamp(at.top(), area.top(), area.bottom() + 1 - at.height()));
    // A window not yet on screen is placed by its frame, title bar included.
    window->move(at.topLeft());
}

}  // namespace tabulist
