#pragma once

#include <QProxyStyle>

namespace tabulist {

// The window's controls have the small widths of their design: a drop-down arrow and
// a check mark gap of the size those widths were drawn for leave their texts room.
class TCompactStyle : public QProxyStyle {
    Q_OBJECT
public:
    // One per application, owned by it.
    static TCompactStyle* instance();

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override;

private:
    TCompactStyle();
};

}  // namespace tabulist
