#pragma once

#include <QSize>

class QWidget;

namespace tabulist {

enum class ScreenPlace { Beside, Over };

// Sizes a window to `wanted`, or less where the screen's available area is smaller, and puts
// it beside `near` (right of it, else left) or centred over it, all of it on that area, its
// title bar included. The frame is taken to be like those of the windows on screen; without
// near the window goes to the middle of the primary screen.
void FitOnScreen(QWidget* window, QSize wanted, const QWidget* near, ScreenPlace place);

}  // namespace tabulist
