// Colours between the settings record's numbers and Qt's colours.
#include "forms/Hauptfenster/ColorValues.h"

namespace tabulist {

namespace {

// The system colour indexes, in their numbering, and the palette role that plays
// the same part here.
QPalette::ColorRole RoleOfSystemColor(int index) {
    switch (index) {
        case 1:
            return QPalette::Dark;  // desktop
        case 2:
        case 13:
            return QPalette::Highlight;  // active caption, highlight
        case 3:
        case 16:
            return QPalette::Mid;  // inactive caption, button shadow
        case 4:
            return QPalette::Window;  // menu
        case 5:
            return QPalette::Base;  // window background
        case 6:
        case 21:
            return QPalette::Shadow;  // frame, dark shadow
        case 7:
            return QPalette::WindowText;  // menu text
        case 8:
            return QPalette::Text;  // window text
        case 9:
        case 14:
            return QPalette::HighlightedText;
        case 12:
            return QPalette::Dark;  // application workspace
        case 17:
            return QPalette::PlaceholderText;  // grey text
        case 18:
            return QPalette::ButtonText;
        case 19:
            return QPalette::WindowText;
        case 20:
            return QPalette::Light;
        case 22:
            return QPalette::Midlight;
        case 23:
            return QPalette::ToolTipText;
        case 24:
            return QPalette::ToolTipBase;
        default:
            return QPalette::Button;  // scroll bar, borders, button face
    }
}

}  // namespace

QColor ColorFromValue(int32_t value, const QPalette& palette) {
    const auto bits = uint32_t(value);
    if (bits & 0x80000000u)
        return palette.color(QPalette::Active, RoleOfSystemColor(int(bits & 0x7FFFFFFFu)));
    return QColor(int(bits & 0xFF), int((bits >> 8) & 0xFF), int((bits >> 16) & 0xFF));
}

QColor PaperColor(int32_t value) {
    QPalette light(QColor(240, 240, 240));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        light.setColor(role, Qt::black);
    light.setColor(QPalette::Base, Qt::white);
    return ColorFromValue(value, light);
}

int32_t ValueFromColor(const QColor& color) {
    return int32_t(uint32_t(color.red()) | uint32_t(color.green()) << 8 |
                   uint32_t(color.blue()) << 16);
}

}  // namespace tabulist
