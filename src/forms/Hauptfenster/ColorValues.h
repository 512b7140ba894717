#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

namespace tabulist {

// Colours as the settings record stores them: 0x00BBGGRR, or 0x80000000 plus a
// system colour index that stands for the platform's current colour of that element.
constexpr int32_t SystemColorFlag = int32_t(0x80000000u);
constexpr int32_t clWindow = SystemColorFlag | 5;
constexpr int32_t clWindowText = SystemColorFlag | 8;
constexpr int32_t clBtnFace = SystemColorFlag | 15;

QColor ColorFromValue(int32_t value, const QPalette& palette);
int32_t ValueFromColor(const QColor& color);  // always a direct colour
// The colour on paper: system colours take their values of a light palette (window text
// black, window background white) whatever the desktop's theme; direct colours stay.
QColor PaperColor(int32_t value);

}  // namespace tabulist
