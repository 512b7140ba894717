// Draws the selectors' rows: glyph, indent and text.
#include "platform/widgets/SelectorRowDelegate.h"

#include <QPainter>

#include "platform/widgets/SelectorGlyphs.h"

namespace tabulist {

namespace {
constexpr int TextGap = 4;
}

SelectorRowDelegate::SelectorRowDelegate(Rows rows, QObject* parent)
    : QStyledItemDelegate(parent), rows_(rows) {}

int SelectorRowDelegate::rowHeight(Rows rows, const QFontMetrics& metrics, int glyphHeight) {
    const int glyph = rows == Rows::Directories ? glyphHeight + 1 : glyphHeight;
    return std::max(metrics.height(), glyph);
}

void SelectorRowDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                const QModelIndex& index) const {
    const bool selected = option.state & QStyle::State_Selected;
    const QPalette& palette = option.palette;
    painter->save();
    painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());

    const QPixmap glyph = SelectorGlyph(index.data(GlyphRole).toString());
    const int left = option.rect.left() + index.data(IndentRole).toInt();
    if (!glyph.isNull()) {
        const int top = option.rect.top() + (option.rect.height() - glyph.height()) / 2;
        painter->drawPixmap(left, top, glyph);
    }
    const int glyphWidth = glyph.isNull() ? 16 : glyph.width();
    QRect textRect = option.rect;
    textRect.setLeft(left + glyphWidth + TextGap);
    const int align = Qt::AlignLeft | Qt::TextSingleLine |
                      (rows_ == Rows::Drives ? Qt::AlignVCenter : Qt::AlignTop);
    painter->setFont(option.font);
    painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
    painter->drawText(textRect, align, index.data(Qt::DisplayRole).toString());
    painter->restore();
}

QSize SelectorRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                    const QModelIndex& index) const {
    const QPixmap glyph = SelectorGlyph(index.data(GlyphRole).toString());
    const int glyphHeight = glyph.isNull() ? 0 : glyph.height();
    const int glyphWidth = glyph.isNull() ? 16 : glyph.width();
    const QString text = index.data(Qt::DisplayRole).toString();
    const int width = index.data(IndentRole).toInt() + glyphWidth + TextGap +
                      option.fontMetrics.horizontalAdvance(text) + TextGap;
    return {width, rowHeight(rows_, option.fontMetrics, glyphHeight)};
}

}  // namespace tabulist
