#pragma once

#include <QStyledItemDelegate>

namespace tabulist {

// Item data the rows carry for drawing.
constexpr int GlyphRole = Qt::UserRole;       // glyph resource name
constexpr int IndentRole = Qt::UserRole + 1;  // left edge of the glyph in pixels

// Draws a selector row: background, glyph at its indent (centred vertically), text
// 4 pixels after the glyph. Drive rows centre their text, directory rows top-align it
// and are one pixel taller than their glyph.
class SelectorRowDelegate : public QStyledItemDelegate {
public:
    enum class Rows { Drives, Directories };
    explicit SelectorRowDelegate(Rows rows, QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

    // max(font height, glyph height, + 1 for directory rows)
    static int rowHeight(Rows rows, const QFontMetrics& metrics, int glyphHeight);

private:
    Rows rows_;
};

}  // namespace tabulist
