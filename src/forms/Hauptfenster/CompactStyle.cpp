#include "forms/Hauptfenster/CompactStyle.h"

#include <QApplication>
#include <QPointer>
#include <QStyleFactory>
#include <QStyleOptionComplex>

namespace tabulist {
namespace {

constexpr int ArrowWidth = 13;  // at 96 dots per inch, as on the controls' design
constexpr int FrameWidth = 2;
constexpr int LabelSpacing = 3;

}  // namespace

TCompactStyle::TCompactStyle()
    : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

TCompactStyle* TCompactStyle::instance() {
    static QPointer<TCompactStyle> style;
    if (style.isNull()) {
        style = new TCompactStyle;
        style->setParent(qApp);
    }
    return style;
}

QRect TCompactStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                    SubControl sub, const QWidget* widget) const {
    if (control != CC_ComboBox || (sub != SC_ComboBoxArrow && sub != SC_ComboBoxEditField))
        return QProxyStyle::subControlRect(control, option, sub, widget);
    const QRect r = option->rect;
    QRect out = sub == SC_ComboBoxArrow
                    ? QRect(r.right() - ArrowWidth + 1, r.top(), ArrowWidth, r.height())
                    : QRect(r.left() + FrameWidth, r.top() + FrameWidth,
                            r.width() - ArrowWidth - FrameWidth, r.height() - 2 * FrameWidth);
    return visualRect(option->direction, r, out);
}

int TCompactStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const {
    if (metric == PM_CheckBoxLabelSpacing || metric == PM_RadioButtonLabelSpacing)
        return LabelSpacing;
    return QProxyStyle::pixelMetric(metric, option, widget);
}

}  // namespace tabulist
