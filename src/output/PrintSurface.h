#pragma once

#include <QSize>
#include <QStringView>

namespace tabulist {

// What the text device measures and draws with; all figures in device units.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;
    // Width and height of the text in the current font.
    virtual QSize TextExtent(QStringView text) = 0;
    virtual int AverageCharWidth() = 0;
    virtual int CellHeight() = 0;
    // Draws the text with the top-left corner of its cell at (x, y).
    virtual void TextOut(int x, int y, QStringView text) = 0;
};

// A printer as the text device sees it: a document cycle, a page size and a surface.
class PrintDocument {
public:
    virtual ~PrintDocument() = default;
    virtual void StartDocument() = 0;
    virtual void StartNextPage() = 0;
    virtual void FinishDocument() = 0;
    virtual void AbandonDocument() = 0;
    virtual int PrintableWidth() = 0;
    virtual int PrintableHeight() = 0;
    virtual PrintSurface& Surface() = 0;
};

}  // namespace tabulist
