// Where a new window goes: whole on the screen's available area, so that its title bar, and
// with it the close box, can be reached.
#include "forms/ScreenPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace tabulist {

namespace {

// What the window manager puts round a shown window; nothing without one.
QMargins FrameOf(const QWidget* shown) {
    if (shown == nullptr || !shown->isVisible()) return {};
    const QRect outer = shown->frameGeometry();
    const QRect inner = shown->geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

}  // namespace

void FitOnScreen(QWidget* window, QSize wanted, const QWidget* near, ScreenPlace place) {
    const bool nearShown = near != nullptr && near->isVisible();
    QScreen* screen = nearShown ? near->screen() : QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window->resize(wanted);
        return;
    }
    const QRect area = screen->availableGeometry();
    const QMargins frame = FrameOf(near);
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
